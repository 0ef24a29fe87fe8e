// The texts shown for a failed cluster connection, by socket error number.
#pragma once

#include <string>

namespace vantrel {

// "Error number " and the number for numbers without a text of their own.
std::string TcpErrorText(int number);

}  // namespace vantrel

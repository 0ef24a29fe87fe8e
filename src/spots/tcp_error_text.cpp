#include "spots/tcp_error_text.h"

namespace vantrel {

std::string TcpErrorText(int number) {
  switch (number) {
    case 7:
      return "ERROR: Out of memory.";
    case 380:
      return "ERROR: The property value is invalid.";
    case 383:
      return "ERROR: The property is read-only.";
    case 394:
      return "ERROR: The property can't be read.";
    case 1004:
      return "ERROR: The operation was canceled.";
    case 10014:
      return "ERROR: The requested address is a broadcast address, but flag is not set.";
    case 10035:
      return "ERROR: Socket is non-blocking and the specified operation will block.";
    case 10036:
      return "ERROR: A blocking Winsock operation in progress.";
    case 10037:
      return "ERROR: The operation is completed. No blocking operation in progress";
    case 10038:
      return "ERROR: The descriptor is not a socket.";
    case 10040:
      return "ERROR: The datagram is too large to fit into the buffer and is truncated.";
    case 10043:
      return "ERROR: The specified port is not supported.";
    case 10048:
      return "ERROR: Address in use.";
    case 10049:
      return "ERROR: Address not available from the local machine.";
    case 10050:
      return "ERROR: Network subsystem failed.";
    case 10051:
      return "ERROR: The network cannot be reached from this host at this time.";
    case 10052:
      return "ERROR: Connection has timed out when SO_KEEPALIVE is set.";
    case 10053:
      return "ERROR: Connection is aborted due to timeout or other failure.";
    case 10054:
      return "ERROR: The connection is reset by remote side.!";
    case 10055:
      return "ERROR: No buffer space is available.";
    case 10056:
      return "ERROR: Socket is already connected.";
    case 10057:
      return "ERROR: Socket is not connected.";
    case 10058:
    case 10060:
      return "ERROR: Socket has been shut down.";
    case 10061:
      return "ERROR: Connection is forcefully rejected.";
    case 10093:
      return "ERROR: WinsockInit should be called first.";
    case 11001:
      return "ERROR: Authoritative answer: Host not found.";
    case 11002:
      return "ERROR: Non-Authoritative answer: Host not found.";
    case 11003:
      return "ERROR: Non-recoverable errors.";
    case 11004:
      return "ERROR: Valid name, no data record of requested type.";
    default:
      return "Error number " + std::to_string(number);
  }
}

}  // namespace vantrel

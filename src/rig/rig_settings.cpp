#include "rig/rig_settings.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/quoted_value.h"

namespace vantrel {

namespace {

std::string StorableText(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c != '"' && c != '\r' && c != '\n') out += c;
  return out;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

std::string PadBaud(std::string_view baud) {
  std::string out(baud.substr(0, 5));
  out.resize(5, ' ');
  return out;
}

std::string SerialSettingsString(const RigSettings& s) {
  std::string out(TrimRight(s.Baud));
  out += ',';
  out += s.Parity;
  out += ',';
  out += s.DataBits;
  out += ',';
  out += s.StopBits;
  return out;
}

RigSettingsReadResult ParseRigSettings(std::string_view text, RigSettings& s) {
  ChainedFieldReader p(text);
  std::string baud;
  if (p.Text(baud)) s.Baud = PadBaud(baud);
  (void)(p.Text(s.Parity) && p.Text(s.DataBits) && p.Text(s.StopBits) && p.Text(s.ModeQuery) &&
         p.Text(s.FrequencyQuery) && p.Text(s.SerialSettings) && p.Integer(s.Port) &&
         p.Text(s.PowerLine) && p.Text(s.PollRate) && p.Text(s.RigType) &&
         p.Integer(s.ConvertToHex) && p.Integer(s.UseFrequency) && p.Integer(s.ModeSource));
  std::string host;
  uint16_t port = 0;
  if (p.Text(host) && p.Integer(port) && !host.empty() && port != 0) {
    s.RigctldHost = host;
    s.RigctldPort = port;
    return {kRigSettingsLineCountWithRigctld};
  }
  return {std::min(p.read(), kRigSettingsLineCount)};
}

std::string FormatRigSettings(const RigSettings& s) {
  FieldWriter w;
  auto text = [&w](std::string_view v) {
    w.Text(StorableText(v));
    w.EndLine();
  };
  auto integer = [&w](int64_t v) {
    w.Integer(v);
    w.EndLine();
  };
  text(PadBaud(s.Baud));
  text(s.Parity);
  text(s.DataBits);
  text(s.StopBits);
  text(s.ModeQuery);
  text(s.FrequencyQuery);
  text(s.SerialSettings);
  integer(s.Port);
  text(s.PowerLine);
  text(s.PollRate);
  text(s.RigType);
  integer(s.ConvertToHex);
  integer(s.UseFrequency);
  integer(s.ModeSource);
  text(s.RigctldHost);
  integer(s.RigctldPort);
  return w.take();
}

RigChoice ApplyRigChoice(std::string_view rig_type, RigSettings& s) {
  s.RigType = std::string(rig_type);
  s.FrequencyQuery.clear();
  s.ModeQuery.clear();
  s.ConvertToHex = 0;
  const RigModel* model = FindRigModel(rig_type);
  if (!model) return {};
  const RigDefaults& d = model->defaults;
  if (d.baud) s.Baud = PadBaud(*d.baud);
  if (d.data_bits) s.DataBits = std::string(1, *d.data_bits);
  if (d.stop_bits) s.StopBits = std::string(1, *d.stop_bits);
  if (d.parity) s.Parity = std::string(1, *d.parity);
  s.FrequencyQuery = std::string(d.frequency_query);
  s.ModeQuery = std::string(d.mode_query);
  s.ConvertToHex = d.convert_to_hex ? 1 : 0;
  return {d.convert_to_hex_enabled, d.icom_hint};
}

int PollIntervalMs(std::string_view poll_rate) {
  for (const PollRate& r : kPollRates)
    if (poll_rate.size() == 1 && poll_rate[0] == r.letter) return r.interval_ms;
  return 250;
}

}  // namespace vantrel

#include "spots/spot_settings.h"

#include <cmath>
#include <limits>

#include "common/quoted_value.h"
#include "common/text.h"

namespace vantrel {

namespace {

std::string StorableText(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c != '"' && c != '\r' && c != '\n') out += c;
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = FoldCase(c);
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

SpotSource SpotSourceOf(std::string_view text) {
  if (EqualsNoCase(text, kSpotSources[1])) return SpotSource::kTnc;
  if (EqualsNoCase(text, kSpotSources[2])) return SpotSource::kTelnet;
  if (EqualsNoCase(text, kSpotSources[3])) return SpotSource::kAgw;
  return SpotSource::kNone;
}

SpotSettingsReadResult ParseSpotSettings(std::string_view text, SpotSettings& s) {
  ChainedFieldReader r(text);
  (void)(r.Text(s.Baud) && r.Text(s.Parity) && r.Text(s.DataBits) && r.Text(s.StopBits) &&
         r.Integer(s.Port) && r.Text(s.PowerLine) && r.Text(s.Source) &&
         r.Integer(s.ConvertToHex) && r.Integer(s.Handshaking) && r.Integer(s.DxOnly) &&
         r.Bool(s.ListDisplay) && r.Text(s.CommandCharacter) && r.Text(s.TelnetPort) &&
         r.Text(s.TelnetHost));
  return {r.read()};
}

std::string FormatSpotSettings(const SpotSettings& s) {
  FieldWriter w;
  auto text = [&w](std::string_view v) {
    w.Text(StorableText(v));
    w.EndLine();
  };
  auto integer = [&w](int64_t v) {
    w.Integer(v);
    w.EndLine();
  };
  text(s.Baud);
  text(s.Parity);
  text(s.DataBits);
  text(s.StopBits);
  integer(s.Port);
  text(s.PowerLine);
  text(s.Source);
  integer(s.ConvertToHex);
  integer(s.Handshaking);
  integer(s.DxOnly);
  w.Bool(s.ListDisplay);
  w.EndLine();
  text(s.CommandCharacter);
  text(s.TelnetPort);
  text(s.TelnetHost);
  return w.take();
}

void ApplyTncDefaults(SpotSettings& s) {
  s.Baud = "9600";
  s.Parity = "N";
  s.DataBits = "8";
  s.StopBits = "1";
  s.Handshaking = 3;
  s.CommandCharacter = "03";
}

std::string SerialSettingsText(const SpotSettings& s) {
  return s.Baud + "," + s.Parity + "," + s.DataBits + "," + s.StopBits;
}

bool CommandByte(std::string_view hex, char& byte) {
  while (!hex.empty() && hex.front() == ' ') hex.remove_prefix(1);
  while (!hex.empty() && hex.back() == ' ') hex.remove_suffix(1);
  if (hex.empty() || hex.size() > 2) return false;
  int value = 0;
  for (char c : hex) {
    const int d = HexDigit(c);
    if (d < 0) return false;
    value = value * 16 + d;
  }
  byte = static_cast<char>(value);
  return true;
}

}  // namespace vantrel

#include "platform/qt_settings_store.h"

#include <QSettings>
#include <QStandardPaths>

namespace vantrel {

namespace {
QString Q(std::string_view s) {
  return QString::fromLatin1(s.data(), qsizetype(s.size()));
}
}  // namespace

QString QtSettingsStore::FilePath(std::string_view app) const {
  const QString base = folder_.isEmpty()
                           ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
                           : folder_;
  return base + "/" + Q(app) + ".ini";
}

std::string QtSettingsStore::Get(std::string_view app, std::string_view section,
                                 std::string_view key, std::string_view fallback) const {
  QSettings s(FilePath(app), QSettings::IniFormat);
  const QVariant v = s.value(Q(section) + "/" + Q(key));
  if (!v.isValid()) return std::string(fallback);
  return v.toString().toLatin1().toStdString();
}

void QtSettingsStore::Save(std::string_view app, std::string_view section, std::string_view key,
                           std::string_view value) {
  QSettings s(FilePath(app), QSettings::IniFormat);
  s.setValue(Q(section) + "/" + Q(key), Q(value));
  s.sync();
}

}  // namespace vantrel

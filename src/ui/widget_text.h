// Small helpers every window uses: 8-bit text between the core and Qt, and
// label colours as the established RGB triples and stored colour values.
#pragma once

#include <QApplication>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QPalette>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <string>
#include <string_view>

namespace vantrel::ui {

// Data files and the core hold 8-bit (Latin-1) text.
inline QString Latin1(std::string_view s) {
  return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}
inline std::string Std(const QString& s) {
  return s.toLatin1().toStdString();
}

// File names are the operating system's bytes, not 8-bit text.
inline QString PathText(const std::string& path) {
  return QFile::decodeName(QByteArray::fromStdString(path));
}

inline void Paint(QWidget* w, const QColor& background, const QColor& text) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, background);
  p.setColor(QPalette::WindowText, text);
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

inline void SetBackground(QWidget* w, const QColor& background) {
  QPalette p = w->palette();
  p.setColor(QPalette::Window, background);
  w->setPalette(p);
  w->setAutoFillBackground(true);
}

inline void SetTextColour(QWidget* w, const QColor& text) {
  QPalette p = w->palette();
  p.setColor(QPalette::WindowText, text);
  w->setPalette(p);
}

inline QColor TextColour(const QWidget* w) {
  return w->palette().color(QPalette::WindowText);
}

// The system button colour, for labels that are "on the button colour".
inline void SetButtonColour(QWidget* w) {
  SetBackground(w, QApplication::palette().color(QPalette::Button));
}

// Stored colour values are 0x00BBGGRR.
inline QColor FromBgr(int32_t value) {
  const auto v = static_cast<uint32_t>(value);
  return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                static_cast<int>((v >> 16) & 0xFF));
}
inline int32_t ToBgr(const QColor& colour) {
  const QColor c = colour.toRgb();
  return static_cast<int32_t>(static_cast<uint32_t>(c.red()) |
                              (static_cast<uint32_t>(c.green()) << 8) |
                              (static_cast<uint32_t>(c.blue()) << 16));
}

}  // namespace vantrel::ui

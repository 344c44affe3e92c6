// The few conversions between the GUI-free layers and Qt, written once.
#pragma once

#include <QFont>
#include <QString>
#include <string>
#include <string_view>

namespace tintavis {

// The GUI-free layers hold UTF-8.
QString ToQString(std::string_view utf8);
std::string ToStdString(const QString& text);

// The windows' font size: 11 pixels, as 8 points on a 96-dpi screen.
inline constexpr int kWindowFontPixels = 11;

// The windows' sans serif at a pixel size: Arial, or its metric twin where it is not installed.
// At the windows' size the grid's numbers keep inside their 41-pixel columns.
QFont SansSerifFont(int pixelSize);

}  // namespace tintavis

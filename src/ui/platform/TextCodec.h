#pragma once
// Texts of the data files and the string table are bytes in the edition's code
// page (Windows-1252 for "Ita"); they become Unicode only here, at the UI edge.

#include <QString>
#include <string>

namespace varnok {

QString FromCodePage(const std::string& bytes);
// Characters the code page lacks become '?'.
std::string ToCodePage(const QString& text);

}  // namespace varnok

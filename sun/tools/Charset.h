#pragma once
// Text conversions of the command-line tool: its arguments to GBK, the
// calculator's GBK texts to UTF-8 for printing.
#include <string>

namespace velmora::tools {

// A command-line argument as the program's texts are: GBK.
std::string argumentToGbk(const char* argument);
std::string gbkToUtf8(const std::string& text);

}  // namespace velmora::tools

# cmake -DCATALOGUE=es.mo -DOUTPUT=catalogue.cpp -P embed_catalogue.cmake: the compiled
# catalogue as bytes inside the program, for Windows, which has no gettext to read it.
file(READ ${CATALOGUE} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)"
       "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT} "// Made from po/es.po by cmake/embed_catalogue.cmake.
#include <string_view>

namespace fortuna {
extern const std::string_view kSpanishCatalogue;
namespace {
alignas(4) const unsigned char bytes[] = {
${bytes}};
}  // namespace
const std::string_view kSpanishCatalogue(reinterpret_cast<const char*>(bytes), sizeof bytes);
}  // namespace fortuna
")

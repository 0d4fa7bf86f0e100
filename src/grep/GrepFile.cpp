// The names of the codes a file was read in.
#include "grep/GrepFile.h"

namespace brenvik {

std::string JCodeCaption(JCode code, bool bom)
{
    switch (code) {
    case jcJis:
    case jcOldJis:
        return "JIS";
    case jcEuc:
        return "EUC";
    case jcSjis:
        return "S-JIS";
    case jcUtf8:
        return bom ? "UTF-8 BOM" : "UTF-8";
    case jcBinary:
        return "binary";
    default:
        return "ASCII";
    }
}

} // namespace brenvik

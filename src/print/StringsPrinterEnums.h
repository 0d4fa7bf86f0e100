// Enumerations of the strings printer, published so that stored settings keep their names.
#pragma once

#include <QObject>

namespace brenvik {

class TStringsPrinterEnums {
    Q_GADGET
public:
    enum TStringsPrinterHeaderAlign { haNone, haLeft, haCenter, haRight };
    Q_ENUM(TStringsPrinterHeaderAlign)
    enum TStringsPrinterPageOption { poBoth, poOdd, poEven };
    Q_ENUM(TStringsPrinterPageOption)
    enum TStringsPrinterRangeOption { roWhole, roLimited };
    Q_ENUM(TStringsPrinterRangeOption)
};

using TStringsPrinterHeaderAlign = TStringsPrinterEnums::TStringsPrinterHeaderAlign;
using TStringsPrinterPageOption = TStringsPrinterEnums::TStringsPrinterPageOption;
using TStringsPrinterRangeOption = TStringsPrinterEnums::TStringsPrinterRangeOption;
using enum TStringsPrinterEnums::TStringsPrinterHeaderAlign;
using enum TStringsPrinterEnums::TStringsPrinterPageOption;
using enum TStringsPrinterEnums::TStringsPrinterRangeOption;

} // namespace brenvik

// The find dialog "検索".
#pragma once

#include "app/FindDialog.h"

namespace brenvik {

class TFormSearch : public TFindDialog {
    Q_OBJECT
public:
    explicit TFormSearch(QWidget* parent = nullptr);
};

} // namespace brenvik

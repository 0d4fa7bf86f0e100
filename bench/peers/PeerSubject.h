// A peer widget as a window under test: it is its own window and takes the keys, and is given the script
// decoded from Shift_JIS.
#pragma once

#include "PeerText.h"
#include "WindowBench.h"

namespace brenvik::bench {

template <typename Widget> class TPeerSubject : public TWindowSubject {
public:
    QWidget& Window() override { return FEditor; }
    QWidget& Viewport() override { return *FEditor.viewport(); }
    QWidget& KeyTarget() override { return FEditor; }

    bool Open(const QString& path) override
    {
        QString text;
        if (!ReadShiftJisFile(path, text))
            return false;
        SetText(text);
        return true;
    }

    void Undo() override { FEditor.undo(); }

protected:
    virtual void SetText(const QString& text) = 0;

    Widget FEditor;
};

} // namespace brenvik::bench

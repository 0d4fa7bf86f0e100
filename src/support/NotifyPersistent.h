// Persistent objects that report their changes once per outermost update batch.
#pragma once

#include "support/NotifyEvent.h"

#include <QObject>

namespace brenvik {

// Invariant: UpdateCount() >= 0, and OnChange is called only while UpdateCount() is 0.
//
// Subclass setters follow one pattern: SetField(FField, value) - a setter given the current value
// does nothing, any other value is stored and reported through Changed.
class TNotifyPersistent : public QObject {
    Q_OBJECT
public:
    explicit TNotifyPersistent(QObject* parent = nullptr);

    TNotifyEvent OnChange;

    int UpdateCount() const { return FUpdateCount; }

    virtual void Changed();
    virtual void BeginUpdate();
    virtual void EndUpdate();
    // The handler a parent gives its sub-objects: a change of a part is a change of the whole.
    virtual void ChangedProc(QObject* sender);

    // Copies every published property of an object of the same class inside one batch, so
    // OnChange fires once; object-valued properties go through their setters, which copy.
    // Any other source raises std::runtime_error("Cannot assign ...").
    virtual void Assign(const QObject& source);

protected:
    template <typename T> void SetField(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        Changed();
    }

private:
    int FUpdateCount = 0;
};

// Keeps an update batch open for one scope, closing it even when an exception escapes.
template <typename T> class TUpdateBatch {
public:
    explicit TUpdateBatch(T& target)
        : FTarget(target)
    {
        FTarget.BeginUpdate();
    }
    ~TUpdateBatch() { FTarget.EndUpdate(); }
    TUpdateBatch(const TUpdateBatch&) = delete;
    TUpdateBatch& operator=(const TUpdateBatch&) = delete;

private:
    T& FTarget;
};

} // namespace brenvik

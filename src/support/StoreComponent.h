// Components whose published properties are stored in the settings file.
#pragma once

#include "support/StringList.h"

#include <QObject>
#include <memory>

namespace brenvik {

// The base of components stored with WriteComponentToIni / ReadComponentFromIni.
class TStoreComponent : public QObject {
    Q_OBJECT
public:
    explicit TStoreComponent(QObject* parent = nullptr);
};

// Invariant: FileExtList() is owned, sorted, duplicate-free and case-insensitive.
class TFileExtComponent : public TStoreComponent {
    Q_OBJECT
    Q_PROPERTY(brenvik::TStringList* FileExtList READ FileExtList WRITE SetFileExtList)
public:
    explicit TFileExtComponent(QObject* parent = nullptr);
    ~TFileExtComponent() override;

    TStringList* FileExtList() const { return FFileExtList.get(); }
    // Copies the given list into the owned one.
    virtual void SetFileExtList(TStringList* value);
    // Ext includes the dot, e.g. ".cgi"; letter case is ignored.
    virtual bool HasFileExt(const std::string& ext) const;

    // A new sorted list that ignores duplicates.
    virtual std::unique_ptr<TStringList> CreateSortedList() const;

protected:
    // Adds the default extensions. A base constructor cannot reach an override, so each class
    // that overrides it calls it at the end of its own constructor (duplicates are ignored).
    virtual void InitFileExtList() { }

private:
    std::unique_ptr<TStringList> FFileExtList;
};

} // namespace brenvik

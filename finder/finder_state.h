#pragma once

// What the name finder remembers between runs: the parents' names, every
// filter and the order, the window's place and the list that was open. It
// is kept in the finder's own part of the per-user settings, apart from
// the reading program's, and written value by value as the user changes
// it, so that a program that is killed forgets nothing it was told. The
// filters are kept through the table of filters (namelist/filters.h).

#include "namelist/filters.h"
#include "platform/services.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace kindrell::finder {

struct FinderState {
    QString father;
    QString mother;
    namelist::Filter filter;
    QByteArray geometry; // QWidget::saveGeometry(); empty for the default place
    QString listPath;    // the open list's file; empty for the bundled list
    QString partnerPath; // the partner's list compared; empty for none
    QString saveFolder;  // where the last shortlist was saved; empty for none yet
};

// One remembered value: its key and its text as stored.
struct StateValue {
    QString key;
    QString text;
};

// The remembered state as read: each value the finder does not know stands
// at its default, named in `notUnderstood` ("Sex"), with the default to
// store in its place in `corrections`.
struct StoredState {
    FinderState state;
    QStringList notUnderstood;
    std::vector<StateValue> corrections;
};

class FinderSettings {
  public:
    explicit FinderSettings(platform::SettingsBackend& backend) : backend_(backend) {}

    // The remembered state; nullopt when the store could not be read at all.
    // Values never stored read as the defaults; each value is checked on its
    // own, so that one the finder does not know costs no other.
    std::optional<StoredState> read();
    // Stores one value; false when the store refused it.
    bool write(const StateValue& value);
    // Moves a store that could not be read aside, under a name that says so
    // and when; gives where it went, or the empty text.
    QString setAside(QDate today);

    static StateValue Father(const QString& name);
    static StateValue Mother(const QString& name);
    // One filter of the filters, as it is stored.
    static StateValue Filter(const namelist::Filter& filter, const namelist::FilterField& field);
    static StateValue Geometry(const QByteArray& geometry);
    static StateValue ListPath(const QString& path);
    static StateValue PartnerPath(const QString& path);
    static StateValue SaveFolder(const QString& folder);

  private:
    QString value(const QString& key);
    void readFilter(const namelist::FilterField& field, StoredState& stored);

    platform::SettingsBackend& backend_;
};

} // namespace kindrell::finder

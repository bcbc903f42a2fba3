#include "finder/finder_state.h"

namespace kindrell::finder {
namespace {

using namelist::FieldKind;
using namelist::FilterField;

const QString kApplication = QStringLiteral("kindrell-names");
const QString kSection = QStringLiteral("Finder");

const QString kFatherKey = QStringLiteral("Father");
const QString kMotherKey = QStringLiteral("Mother");
const QString kGeometryKey = QStringLiteral("Geometry");
const QString kListKey = QStringLiteral("List");
const QString kPartnerKey = QStringLiteral("Partner");
const QString kSaveFolderKey = QStringLiteral("SaveFolder");

const QString kFalse = QStringLiteral("false");
const QString kTrue = QStringLiteral("true");

// The caption as a notice names it: "Starts with".
QString Named(const FilterField& field) {
    return QString::fromLatin1(field.caption).remove(QLatin1Char('&'));
}

} // namespace

QString FinderSettings::value(const QString& key) {
    return backend_.read(kApplication, kSection, key);
}

// A value never stored reads as the default; one the finder does not know
// falls back to the default, noted, with the default to store in its place.
void FinderSettings::readFilter(const FilterField& field, StoredState& stored) {
    namelist::Filter& filter = stored.state.filter;
    const QString text = value(QString::fromLatin1(field.key));
    bool known = true;
    switch (field.kind) {
    case FieldKind::Text:
        filter.*(field.text) = text;
        break;
    case FieldKind::Toggle:
        known = text.isEmpty() || text == kFalse || text == kTrue;
        field.set(filter, text == kTrue ? 1 : 0);
        break;
    case FieldKind::Choice: {
        const namelist::Choice* choice =
            text.isEmpty() ? &field.choices.front() : namelist::ChoiceByToken(field, text);
        known = choice != nullptr;
        field.set(filter, known ? choice->value : field.choices.front().value);
        break;
    }
    }
    if (!known) {
        stored.notUnderstood << Named(field);
        stored.corrections.push_back(Filter(filter, field));
    }
}

std::optional<StoredState> FinderSettings::read() {
    StoredState stored;
    FinderState& state = stored.state;
    try {
        state.father = value(kFatherKey);
        state.mother = value(kMotherKey);
        state.listPath = value(kListKey);
        state.partnerPath = value(kPartnerKey);
        state.saveFolder = value(kSaveFolderKey);
        for (const FilterField& field : namelist::FilterFields()) {
            readFilter(field, stored);
        }
        const QByteArray stored64 = value(kGeometryKey).toLatin1();
        state.geometry = QByteArray::fromBase64(stored64);
        if (state.geometry.toBase64() != stored64) {
            state.geometry.clear();
            stored.notUnderstood << QStringLiteral("window's place");
            stored.corrections.push_back(Geometry({}));
        }
    } catch (const platform::SettingsError&) {
        return std::nullopt;
    }
    return stored;
}

QString FinderSettings::setAside(QDate today) {
    return backend_.moveAside(kApplication,
                              QStringLiteral(".unreadable-") + today.toString(Qt::ISODate));
}

bool FinderSettings::write(const StateValue& stateValue) {
    try {
        backend_.write(kApplication, kSection, stateValue.key, stateValue.text);
    } catch (const platform::SettingsError&) {
        return false;
    }
    return true;
}

StateValue FinderSettings::Father(const QString& name) {
    return {kFatherKey, name};
}

StateValue FinderSettings::Mother(const QString& name) {
    return {kMotherKey, name};
}

StateValue FinderSettings::Filter(const namelist::Filter& filter, const FilterField& field) {
    const QString key = QString::fromLatin1(field.key);
    switch (field.kind) {
    case FieldKind::Text:
        return {key, filter.*(field.text)};
    case FieldKind::Toggle:
        return {key, field.get(filter) != 0 ? kTrue : kFalse};
    case FieldKind::Choice:
        break;
    }
    const namelist::Choice* choice = namelist::ChoiceByValue(field, field.get(filter));
    return {key,
            QString::fromLatin1(choice != nullptr ? choice->token : field.choices.front().token)};
}

StateValue FinderSettings::Geometry(const QByteArray& geometry) {
    return {kGeometryKey, QString::fromLatin1(geometry.toBase64())};
}

StateValue FinderSettings::ListPath(const QString& path) {
    return {kListKey, path};
}

StateValue FinderSettings::PartnerPath(const QString& path) {
    return {kPartnerKey, path};
}

StateValue FinderSettings::SaveFolder(const QString& folder) {
    return {kSaveFolderKey, folder};
}

} // namespace kindrell::finder

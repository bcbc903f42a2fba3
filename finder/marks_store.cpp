#include "finder/marks_store.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace kindrell::finder {
namespace {

const QString kListKey = QStringLiteral("list");
const QString kMarkedKey = QStringLiteral("marked");
const QString kNameKey = QStringLiteral("name");
const QString kSexKey = QStringLiteral("sex");

std::optional<namelist::Sex> SexOf(const QString& text) {
    for (const namelist::Sex sex :
         {namelist::Sex::Girl, namelist::Sex::Boy, namelist::Sex::Unknown}) {
        if (text == namelist::SexName(sex)) {
            return sex;
        }
    }
    return std::nullopt;
}

} // namespace

QString MarksStore::FileName(const QString& listPath) {
    if (listPath.isEmpty()) {
        return QStringLiteral("marks/bundled.json");
    }
    // A name that any path fits in and no path can escape from; the path
    // itself is kept inside the file.
    const QByteArray digest =
        QCryptographicHash::hash(listPath.toUtf8(), QCryptographicHash::Sha256).toHex();
    return QStringLiteral("marks/list-%1.json").arg(QString::fromLatin1(digest.left(32)));
}

QByteArray MarksStore::Encode(const QString& listPath, const std::vector<MarkedName>& marks) {
    QJsonArray marked;
    for (const MarkedName& mark : marks) {
        marked.append(QJsonObject{{kNameKey, mark.name}, {kSexKey, namelist::SexName(mark.sex)}});
    }
    return QJsonDocument(QJsonObject{{kListKey, listPath}, {kMarkedKey, marked}})
        .toJson(QJsonDocument::Indented);
}

std::optional<std::vector<MarkedName>> MarksStore::Decode(const QByteArray& bytes,
                                                          const QString& listPath) {
    const QJsonDocument document = QJsonDocument::fromJson(bytes);
    const QJsonObject object = document.object();
    if (!document.isObject() || object.value(kListKey) != listPath ||
        !object.value(kMarkedKey).isArray()) {
        return std::nullopt;
    }
    std::vector<MarkedName> marks;
    for (const QJsonValue value : object.value(kMarkedKey).toArray()) {
        const QJsonValue name = value.toObject().value(kNameKey);
        const auto sex = SexOf(value.toObject().value(kSexKey).toString());
        if (!name.isString() || !sex) {
            return std::nullopt;
        }
        marks.push_back({name.toString(), *sex});
    }
    return marks;
}

std::optional<std::vector<MarkedName>> MarksStore::read(const QString& listPath) {
    try {
        const std::optional<QByteArray> bytes = files_.read(FileName(listPath));
        if (!bytes) {
            return std::vector<MarkedName>{};
        }
        return Decode(*bytes, listPath);
    } catch (const platform::DataFileError&) {
        return std::nullopt;
    }
}

bool MarksStore::write(const QString& listPath, const std::vector<MarkedName>& marks) {
    try {
        files_.write(FileName(listPath), Encode(listPath, marks));
    } catch (const platform::DataFileError&) {
        return false;
    }
    return true;
}

} // namespace kindrell::finder

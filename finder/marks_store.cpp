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

std::optional<namelist::Sex> SexOf(const QJsonValue& value) {
    for (const namelist::Sex sex :
         {namelist::Sex::Girl, namelist::Sex::Boy, namelist::Sex::Unknown}) {
        if (value.isString() && value.toString() == namelist::SexName(sex)) {
            return sex;
        }
    }
    return std::nullopt;
}

MarksRead Refused(const QString& problem) {
    return {{}, problem};
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

MarksRead MarksStore::Decode(const QByteArray& bytes, const QString& listPath) {
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    const QJsonObject object = document.object();
    if (error.error != QJsonParseError::NoError || !document.isObject() ||
        !object.value(kMarkedKey).isArray()) {
        return Refused(QStringLiteral("it is damaged"));
    }
    if (object.value(kListKey) != listPath) {
        return Refused(QStringLiteral("it holds the marks of another list"));
    }
    MarksRead read;
    for (const QJsonValue value : object.value(kMarkedKey).toArray()) {
        const QJsonValue name = value.toObject().value(kNameKey);
        const auto sex = SexOf(value.toObject().value(kSexKey));
        if (!name.isString() || !sex) {
            return Refused(QStringLiteral("it holds a mark the finder does not know"));
        }
        read.marks.push_back({name.toString(), *sex});
    }
    return read;
}

MarksRead MarksStore::read(const QString& listPath) {
    try {
        const std::optional<QByteArray> bytes = files_.read(FileName(listPath), kMaxMarksBytes);
        return bytes ? Decode(*bytes, listPath) : MarksRead{};
    } catch (const platform::DataFileError& error) {
        return Refused(error.reason());
    }
}

QString MarksStore::write(const QString& listPath, const std::vector<MarkedName>& marks) {
    const QByteArray bytes = Encode(listPath, marks);
    if (bytes.size() > kMaxMarksBytes) {
        return QStringLiteral("they would take more than %1 MB")
            .arg(kMaxMarksBytes / (qint64{1024} * 1024));
    }
    try {
        files_.write(FileName(listPath), bytes);
    } catch (const platform::DataFileError& error) {
        return error.reason();
    }
    return {};
}

MarksStore::SetAside MarksStore::setAside(const QString& listPath, QDate today) {
    try {
        return {files_.moveAside(FileName(listPath),
                                 QStringLiteral(".unreadable-") + today.toString(Qt::ISODate)),
                {}};
    } catch (const platform::DataFileError& error) {
        return {{}, error.reason()};
    }
}

} // namespace kindrell::finder

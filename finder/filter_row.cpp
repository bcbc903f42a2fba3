#include "finder/filter_row.h"

#include "widgets/flow_row.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>

namespace kindrell::finder {
namespace {

using namelist::FieldKind;
using namelist::FieldPlace;
using namelist::FilterField;

QLabel* Caption(const FilterField& field, QWidget* control, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(field.caption), parent);
    label->setBuddy(control);
    return label;
}

// Whether the filter chooses among the names (rather than ordering them or
// choosing how they stand with the parents): the marked names are shown
// whatever such a filter says.
bool ChoosesNames(const FilterField& field) {
    return field.keepsEntry != nullptr || field.keepsName != nullptr ||
           (field.place == FieldPlace::LikedLine && field.kind == FieldKind::Text);
}

} // namespace

FilterRow::FilterRow(QWidget* parent) : QObject(parent), row_(new widgets::FlowRow(parent)) {
    for (const FilterField& field : namelist::FilterFields()) {
        // The liked name's box, captioned, then the choices that go with it.
        if (field.place == FieldPlace::LikedLine) {
            if (likedLine_ == nullptr) {
                likedLine_ = new QWidget(parent);
                auto* layout = new QHBoxLayout(likedLine_);
                layout->setContentsMargins(0, 0, 0, 0);
            }
            QWidget* control = build(field, likedLine_);
            likedLine_->layout()->addWidget(control);
            if (likedCaption_ == nullptr) {
                likedCaption_ = Caption(field, control, parent);
                likedBox_ = control;
            }
            continue;
        }
        if (field.kind == FieldKind::Toggle) {
            row_->add(build(field, row_));
            continue;
        }
        // Each caption stays with its control when the row wraps.
        auto* pair = new QWidget(row_);
        auto* layout = new QHBoxLayout(pair);
        layout->setContentsMargins(0, 0, 0, 0);
        QWidget* control = build(field, pair);
        layout->addWidget(Caption(field, control, pair));
        layout->addWidget(control);
        row_->add(pair);
    }
}

QWidget* FilterRow::build(const FilterField& field, QWidget* parent) {
    QWidget* control = nullptr;
    switch (field.kind) {
    case FieldKind::Choice: {
        auto* box = new QComboBox(parent);
        // Wide enough for the choices offered later ("Marked by both of you").
        box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        for (const namelist::Choice& choice : field.choices) {
            if (!choice.comparing) {
                box->addItem(QString::fromLatin1(choice.label), choice.value);
            }
        }
        connect(box, &QComboBox::currentIndexChanged, this,
                [this, &field] { emit changed(field); });
        control = box;
        break;
    }
    case FieldKind::Text: {
        auto* edit = new QLineEdit(parent);
        connect(edit, &QLineEdit::textChanged, this, [this, &field] { emit changed(field); });
        control = edit;
        break;
    }
    case FieldKind::Toggle: {
        auto* check = new QCheckBox(QString::fromLatin1(field.caption), parent);
        connect(check, &QCheckBox::toggled, this, [this, &field] { emit changed(field); });
        control = check;
        break;
    }
    }
    control->setObjectName(QString::fromLatin1(field.name));
    controls_.push_back({&field, control});
    return control;
}

namelist::Filter FilterRow::value() const {
    namelist::Filter filter;
    for (const auto& [field, widget] : controls_) {
        switch (field->kind) {
        case FieldKind::Choice:
            field->set(filter, qobject_cast<QComboBox*>(widget)->currentData().toInt());
            break;
        case FieldKind::Text:
            filter.*(field->text) = qobject_cast<QLineEdit*>(widget)->text();
            break;
        case FieldKind::Toggle:
            field->set(filter, qobject_cast<QCheckBox*>(widget)->isChecked() ? 1 : 0);
            break;
        }
    }
    return filter;
}

void FilterRow::setValue(const namelist::Filter& filter) {
    for (const auto& [field, widget] : controls_) {
        const QSignalBlocker quiet(widget);
        switch (field->kind) {
        case FieldKind::Choice: {
            auto* box = qobject_cast<QComboBox*>(widget);
            const int value = field->get(filter);
            int at = box->findData(value);
            // A choice offered only while comparing ("Marked by both of
            // you") gives way to the one before it ("Marked") while not.
            const bool comparingChoice = std::any_of(
                field->choices.begin(), field->choices.end(),
                [value](const namelist::Choice& c) { return c.comparing && c.value == value; });
            if (at < 0) {
                at = comparingChoice ? box->count() - 1 : 0;
            }
            box->setCurrentIndex(at);
            break;
        }
        case FieldKind::Text:
            qobject_cast<QLineEdit*>(widget)->setText(filter.*(field->text));
            break;
        case FieldKind::Toggle:
            qobject_cast<QCheckBox*>(widget)->setChecked(field->get(filter) != 0);
            break;
        }
    }
}

void FilterRow::enableFor(bool markedOnly, bool ownList) {
    for (const auto& [field, widget] : controls_) {
        widget->setEnabled(!(markedOnly && ChoosesNames(*field)) &&
                           !(ownList && field->bundledOnly));
    }
}

void FilterRow::setComparing(bool comparing) {
    std::vector<const FilterField*> changed;
    for (const auto& [field, widget] : controls_) {
        auto* box = qobject_cast<QComboBox*>(widget);
        if (box == nullptr) {
            continue;
        }
        const QSignalBlocker quiet(box);
        for (const namelist::Choice& choice : field->choices) {
            const int at = box->findData(choice.value);
            if (choice.comparing && comparing && at < 0) {
                box->addItem(QString::fromLatin1(choice.label), choice.value);
            } else if (choice.comparing && !comparing && at >= 0) {
                if (box->currentIndex() == at) {
                    box->setCurrentIndex(at - 1);
                    changed.push_back(field);
                }
                box->removeItem(at);
            }
        }
    }
    for (const FilterField* field : changed) {
        emit this->changed(*field);
    }
}

std::vector<QWidget*> FilterRow::tabOrder() const {
    std::vector<QWidget*> order;
    for (const bool onLikedLine : {true, false}) {
        for (const auto& [field, widget] : controls_) {
            if ((field->place == FieldPlace::LikedLine) == onLikedLine) {
                order.push_back(widget);
            }
        }
    }
    return order;
}

} // namespace kindrell::finder

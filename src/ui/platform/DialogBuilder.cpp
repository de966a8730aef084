#include "DialogBuilder.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include "platform/TextCodec.h"

namespace varnok {
namespace {

// The dialog font's pixel size: points at the 96 dots per inch dialogs are laid out for.
int PixelSize(int pointSize) {
    return (pointSize * 96 + 36) / 72;
}

// A static text shows "&" only as "&&"; a single "&" marks a mnemonic.
QString WithoutMnemonic(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&')) {
                out += QLatin1Char('&');
                ++i;
            }
            continue;
        }
        out += text[i];
    }
    return out;
}

// The controls that hold a value the user types or picks: edit boxes, lists
// and spin controls. Screen readers name them after the text before them.
bool HoldsAValue(ControlKind kind) {
    switch (kind) {
        case ControlKind::ListBox:
        case ControlKind::Edit:
        case ControlKind::EditCentered:
        case ControlKind::EditMasked:
        case ControlKind::SpinButton:
            return true;
        default:
            return false;
    }
}

bool TakesFocus(ControlKind kind) {
    switch (kind) {
        case ControlKind::OwnerDrawButton:
        case ControlKind::PushButton:
        case ControlKind::DefaultPushButton:
        case ControlKind::CheckBox:
        case ControlKind::RadioButton:
            return true;
        default:
            return HoldsAValue(kind);
    }
}

QLabel* MakeLabel(const QString& text, Qt::Alignment align, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(align | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

QLineEdit* MakeEdit(Qt::Alignment align, QLineEdit::EchoMode echo, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setAlignment(align | Qt::AlignVCenter);
    edit->setEchoMode(echo);
    return edit;
}

QWidget* MakeIcon(QDialog& dialog, const QRect& rect) {
    auto* label = new QLabel(&dialog);
    QIcon icon = dialog.windowIcon();
    int side = qMin(32, qMin(rect.width(), rect.height()));
    label->setPixmap(icon.pixmap(side, side));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

// The standard widget of a control's kind.
QWidget* MakeStandard(QDialog& dialog, const ControlTemplate& c, const QRect& rect) {
    QString text = FromCodePage(c.text);
    switch (c.kind) {
        case ControlKind::ListBox:
            return new QListWidget(&dialog);
        case ControlKind::OwnerDrawButton:
            return new QWidget(&dialog);
        case ControlKind::PushButton:
        case ControlKind::DefaultPushButton: {
            auto* button = new QPushButton(text, &dialog);
            button->setDefault(c.kind == ControlKind::DefaultPushButton);
            if (c.id == 1) {
                QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::accept);
            } else if (c.id == 2) {
                QObject::connect(button, &QPushButton::clicked, &dialog, &QDialog::reject);
            }
            return button;
        }
        case ControlKind::CheckBox:
            return new QCheckBox(text, &dialog);
        case ControlKind::RadioButton:
            return new QRadioButton(text, &dialog);
        case ControlKind::GroupBox:
            return new QGroupBox(WithoutMnemonic(text), &dialog);
        case ControlKind::Static:
            return MakeLabel(text, Qt::AlignLeft, &dialog);
        case ControlKind::StaticCentered:
            return MakeLabel(text, Qt::AlignHCenter, &dialog);
        case ControlKind::StaticRight:
            return MakeLabel(text, Qt::AlignRight, &dialog);
        case ControlKind::Edit:
            return MakeEdit(Qt::AlignLeft, QLineEdit::Normal, &dialog);
        case ControlKind::EditCentered:
            return MakeEdit(Qt::AlignHCenter, QLineEdit::Normal, &dialog);
        case ControlKind::EditMasked:
            return MakeEdit(Qt::AlignLeft, QLineEdit::Password, &dialog);
        case ControlKind::SpinButton:
            return new QScrollBar(Qt::Vertical, &dialog);
        case ControlKind::Icon:
            return MakeIcon(dialog, rect);
    }
    return new QWidget(&dialog);
}

// Radio buttons are exclusive within a group that a kGroupStart control opens.
// When the group is a Tab stop, Tab enters it at its checked button.
class RadioGroups {
public:
    explicit RadioGroups(QDialog& dialog) : dialog_(dialog) {}
    void Add(const ControlTemplate& c, QWidget* widget) {
        auto* radio = qobject_cast<QAbstractButton*>(widget);
        if (c.kind != ControlKind::RadioButton || radio == nullptr) {
            if (c.flags & kGroupStart) {
                group_ = nullptr;
            }
            return;
        }
        if (group_ == nullptr || (c.flags & kGroupStart)) {
            group_ = new QButtonGroup(&dialog_);
            if (c.flags & kTabStop) {
                MoveTabStopToChecked(group_);
            }
        }
        group_->addButton(radio, c.id);
    }

private:
    static void MoveTabStopToChecked(QButtonGroup* group) {
        QObject::connect(
            group, &QButtonGroup::buttonToggled, group, [group](QAbstractButton* checked, bool on) {
                if (!on) {
                    return;
                }
                for (QAbstractButton* button : group->buttons()) {
                    button->setFocusPolicy(button == checked ? Qt::StrongFocus : Qt::ClickFocus);
                }
            });
    }

    QDialog& dialog_;
    QButtonGroup* group_ = nullptr;
};

// A static text with a mnemonic hands the focus to the next control that takes it.
class Mnemonics {
public:
    void Add(const ControlTemplate& c, QWidget* widget) {
        if (pending_ != nullptr && widget->focusPolicy() != Qt::NoFocus) {
            pending_->setBuddy(widget);
            pending_ = nullptr;
        }
        auto* label = qobject_cast<QLabel*>(widget);
        if (label == nullptr) {
            return;
        }
        bool isStatic = c.kind == ControlKind::Static || c.kind == ControlKind::StaticCentered ||
                        c.kind == ControlKind::StaticRight;
        QString text = label->text();
        if (isStatic && text.contains(QLatin1Char('&')) && !text.contains(QLatin1String("&&"))) {
            pending_ = label;
        } else if (isStatic) {
            label->setText(WithoutMnemonic(text));
        }
    }
    // A mnemonic that found no control shows its text without the marker.
    void Finish() {
        if (pending_ != nullptr) {
            pending_->setText(WithoutMnemonic(pending_->text()));
        }
    }

private:
    QLabel* pending_ = nullptr;
};

// Screen readers name a box, list or spin control after the text that stands
// before it in the template, as the eye reads the dialog. A text that a dialog
// makes itself (a value shown beside a spin control) is no label.
class AccessibleLabels {
public:
    void Add(const ControlTemplate& c, QWidget* widget, bool standard) {
        const bool isStatic = c.kind == ControlKind::Static ||
                              c.kind == ControlKind::StaticCentered ||
                              c.kind == ControlKind::StaticRight;
        if (isStatic && standard) {
            label_ = WithoutMnemonic(FromCodePage(c.text)).simplified();
            return;
        }
        if (HoldsAValue(c.kind) && widget->accessibleName().isEmpty() && !label_.isEmpty()) {
            widget->setAccessibleName(label_);
        }
    }

private:
    QString label_;
};

}  // namespace

QFont DialogFont(const DialogTemplate& t) {
    QFont font(QString::fromStdString(t.fontFace));
    // A desktop without the face gives a sans-serif in its place, as the
    // previews ask for: both then draw with one loaded font.
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(PixelSize(t.pointSize));
    return font;
}

DialogUnits::DialogUnits(const QFont& font) {
    QFontMetrics metrics(font);
    // The average width of the 52 letters, rounded, as dialog base units are measured.
    int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    charWidth_ = qMax(1, (letters / 26 + 1) / 2);
    charHeight_ = qMax(1, metrics.height());
}

QRect DialogUnits::Map(int x, int y, int width, int height) const {
    int left = X(x);
    int top = Y(y);
    return QRect(left, top, X(x + width) - left, Y(y + height) - top);
}

void BuildDialog(QDialog& dialog, const DialogTemplate& t, const ControlFactory& factory) {
    QFont font = DialogFont(t);
    dialog.setFont(font);
    dialog.setWindowTitle(FromCodePage(t.caption));
    DialogUnits units(font);
    dialog.setFixedSize(units.X(t.width), units.Y(t.height));

    RadioGroups radios(dialog);
    Mnemonics mnemonics;
    AccessibleLabels labels;
    QWidget* previousInTabOrder = nullptr;
    for (const ControlTemplate& c : t.controls) {
        QRect rect = units.Map(c.x, c.y, c.width, c.height);
        QWidget* widget = factory ? factory(c, &dialog) : nullptr;
        const bool standard = widget == nullptr;
        if (standard) {
            widget = MakeStandard(dialog, c, rect);
        } else if (widget->parentWidget() != &dialog) {
            widget->setParent(&dialog);
        }
        widget->setGeometry(rect);
        if (c.id != kNoId) {
            widget->setObjectName(QString::number(c.id));
        }
        if (TakesFocus(c.kind) && !(c.flags & kTabStop)) {
            widget->setFocusPolicy(Qt::ClickFocus);
        }
        if (c.flags & kDisabled) {
            widget->setEnabled(false);
        }
        if (c.flags & kHidden) {
            widget->setHidden(true);
        }
        if (c.kind == ControlKind::GroupBox) {
            widget->lower();  // a frame stays behind the controls it encloses
        }
        if (TakesFocus(c.kind)) {
            if (previousInTabOrder != nullptr) {
                QWidget::setTabOrder(previousInTabOrder, widget);
            }
            previousInTabOrder = widget;
        }
        radios.Add(c, widget);
        mnemonics.Add(c, widget);
        labels.Add(c, widget, standard);
    }
    mnemonics.Finish();
}

}  // namespace varnok

#include "support/LayoutSweep.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOption>

namespace LayoutSweep {
namespace {

// The margin a line edit keeps on each side of its text.
constexpr int lineEditMargin = 2;
// The room a title bar keeps for the window's icon and its close, minimise and maximise buttons.
constexpr int titleBarButtons = 120;
// The widest gap between a caption's text and its box that still reads as one pair.
constexpr int captionGap = 24;

QString nameOf(const QWidget* widget)
{
    QStringList path;
    for (const QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        const QString name = w->objectName();
        path.prepend(name.isEmpty() || name.startsWith(QLatin1String("qt_"))
                         ? QString::fromLatin1(w->metaObject()->className())
                         : name);
    }
    return path.join(QLatin1Char('/'));
}

class Sweep
{
  public:
    QStringList faults;

    void widget(QWidget* w)
    {
        if (w->isWindow())
            titleFits(w);
        textFits(w);
        if (isCompound(w))
            return;
        QList<QWidget*> shown;
        for (QObject* object : w->children()) {
            auto* child = qobject_cast<QWidget*>(object);
            if (!child || child->isWindow() || !child->isVisible())
                continue;
            if (!w->rect().contains(child->geometry()))
                fault(child, QStringLiteral("lies outside its parent (%1 in %2)")
                                 .arg(rectText(child->geometry()), rectText(w->rect())));
            shown.append(child);
        }
        for (qsizetype i = 0; i < shown.size(); ++i) {
            for (qsizetype j = i + 1; j < shown.size(); ++j) {
                if (shown[i]->geometry().intersects(shown[j]->geometry()))
                    fault(shown[i], QStringLiteral("overlaps %1").arg(nameOf(shown[j])));
            }
        }
        for (QWidget* child : shown) {
            if (auto* label = qobject_cast<QLabel*>(child))
                captionMeetsItsBox(label, shown);
            widget(child);
        }
    }

  private:
    // Widgets whose children are their own parts, laid out by Qt.
    static bool isCompound(const QWidget* w)
    {
        return qobject_cast<const QAbstractScrollArea*>(w) || qobject_cast<const QComboBox*>(w) ||
               qobject_cast<const QAbstractSpinBox*>(w) || qobject_cast<const QLineEdit*>(w) ||
               qobject_cast<const QAbstractButton*>(w);
    }

    static QString rectText(const QRect& r)
    {
        return QStringLiteral("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
    }

    void fault(const QWidget* w, const QString& what)
    {
        faults << nameOf(w) + QLatin1String(": ") + what;
    }

    void needs(const QWidget* w, const QString& text, const QSize& need, const QRect& room)
    {
        if (need.width() > room.width() || need.height() > room.height())
            fault(w, QStringLiteral("\"%1\" needs %2x%3, has %4x%5")
                         .arg(text)
                         .arg(need.width())
                         .arg(need.height())
                         .arg(room.width())
                         .arg(room.height()));
    }

    // The advance of the widest line, and the height its letters take (the lines after the
    // first a full line apart).
    static QSize lineSize(const QFontMetrics& metrics, const QString& text)
    {
        int width = 0;
        int ink = 0;
        const QStringList lines = text.split(QLatin1Char('\n'));
        for (const QString& line : lines) {
            width = std::max(width, metrics.horizontalAdvance(line));
            ink = std::max(ink, metrics.tightBoundingRect(line).height());
        }
        return {width, ink + metrics.lineSpacing() * static_cast<int>(lines.size() - 1)};
    }

    // A caption (" :name") reads as the label of the box that follows it in reading order,
    // right to left: the nearest box on its row to the left of its text, close by.
    void captionMeetsItsBox(const QLabel* label, const QList<QWidget*>& siblings)
    {
        const QString text = label->text();
        if (!text.trimmed().startsWith(QLatin1Char(':')))
            return;
        const QRect place = label->geometry();
        const int advance = label->fontMetrics().horizontalAdvance(text);
        const Qt::Alignment align =
            QStyle::visualAlignment(label->layoutDirection(), label->alignment());
        int textLeft = place.left() + (place.width() - advance) / 2;
        if (align & Qt::AlignLeft)
            textLeft = place.left();
        else if (align & Qt::AlignRight)
            textLeft = place.right() - advance;
        const QWidget* nearest = nullptr;
        for (const QWidget* box : siblings) {
            const bool isBox =
                qobject_cast<const QLineEdit*>(box) || qobject_cast<const QComboBox*>(box);
            const QRect other = box->geometry();
            const bool sameRow = other.top() < place.bottom() && place.top() < other.bottom();
            if (isBox && sameRow && other.center().x() < place.center().x() &&
                (!nearest || other.right() > nearest->geometry().right()))
                nearest = box;
        }
        if (!nearest)
            return;
        const int gap = textLeft - nearest->geometry().right();
        if (gap > captionGap)
            fault(label, QStringLiteral("caption \"%1\" stands %2 px from its box %3")
                             .arg(text)
                             .arg(gap)
                             .arg(nameOf(nearest)));
    }

    // A box's title is read in its title bar, beside the window's own buttons.
    void titleFits(QWidget* window)
    {
        if (!qobject_cast<QDialog*>(window) || window->windowTitle().isEmpty())
            return;
        const QFontMetrics metrics(QApplication::font("QMdiSubWindowTitleBar"));
        const int need = metrics.horizontalAdvance(window->windowTitle()) + titleBarButtons;
        if (need > window->width())
            fault(window, QStringLiteral("title \"%1\" needs %2, has %3")
                              .arg(window->windowTitle())
                              .arg(need)
                              .arg(window->width()));
    }

    void textFits(QWidget* w)
    {
        if (auto* label = qobject_cast<QLabel*>(w))
            labelFits(label);
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            buttonFits(button);
        else if (auto* box = qobject_cast<QLineEdit*>(w))
            lineEditFits(box);
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            comboFits(combo);
        else if (auto* group = qobject_cast<QGroupBox*>(w))
            groupTitleFits(group);
    }

    void labelFits(QLabel* label)
    {
        const QString text = label->text();
        if (text.trimmed().isEmpty() || label->textFormat() == Qt::RichText)
            return;
        const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(),
                                                          -label->margin(), -label->margin());
        if (label->wordWrap()) {
            // Wrapped text needs the height it takes at the label's width, and its longest
            // word must fit a line.
            int widest = 0;
            for (const QString& word :
                 text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
                widest = std::max(widest, label->fontMetrics().horizontalAdvance(word));
            needs(label, text, QSize(widest, label->heightForWidth(label->width())), label->rect());
            return;
        }
        needs(label, text, lineSize(label->fontMetrics(), text), room);
    }

    void buttonFits(QAbstractButton* button)
    {
        const QString text = QString(button->text()).remove(QLatin1Char('&'));
        if (text.trimmed().isEmpty())
            return;
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        option.icon = button->icon();
        option.iconSize = button->iconSize();
        QStyle::SubElement element = QStyle::SE_PushButtonContents;
        int indicator = 0;
        if (qobject_cast<QRadioButton*>(button)) {
            element = QStyle::SE_RadioButtonContents;
        } else if (qobject_cast<QCheckBox*>(button)) {
            element = QStyle::SE_CheckBoxContents;
        } else if (auto* push = qobject_cast<QPushButton*>(button)) {
            if (push->autoDefault() || push->isDefault())
                option.features |= QStyleOptionButton::AutoDefaultButton;
        } else {
            return; // drawn by the button itself
        }
        const QRect room = button->style()->subElementRect(element, &option, button);
        if (!option.icon.isNull())
            indicator = option.iconSize.width() + 4;
        QSize need = lineSize(button->fontMetrics(), text);
        need.rwidth() += indicator;
        needs(button, text, need, room);
    }

    void lineEditFits(QLineEdit* box)
    {
        const QString text = box->displayText();
        if (text.isEmpty())
            return;
        QStyleOptionFrame option;
        option.initFrom(box);
        option.lineWidth =
            box->hasFrame() ? box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, box)
                            : 0;
        option.midLineWidth = 0;
        option.state |= QStyle::State_Sunken;
        option.features = QStyleOptionFrame::None;
        const QMargins margins = box->textMargins();
        const QRect room = box->style()
                               ->subElementRect(QStyle::SE_LineEditContents, &option, box)
                               .adjusted(margins.left() + lineEditMargin, margins.top(),
                                         -margins.right() - lineEditMargin, -margins.bottom());
        needs(box, text, lineSize(box->fontMetrics(), text), room);
    }

    void comboFits(QComboBox* combo)
    {
        if (combo->isEditable()) {
            if (combo->lineEdit())
                lineEditFits(combo->lineEdit());
            return;
        }
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.editable = false;
        option.frame = combo->hasFrame();
        option.currentText = combo->currentText();
        const QRect room = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxEditField, combo);
        // Any item can be the chosen one.
        for (int i = 0; i < combo->count(); ++i)
            needs(combo, combo->itemText(i), lineSize(combo->fontMetrics(), combo->itemText(i)),
                  room);
    }

    void groupTitleFits(QGroupBox* group)
    {
        if (group->title().isEmpty())
            return;
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        option.textAlignment = group->alignment();
        option.lineWidth = 1;
        const QRect label = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                           QStyle::SC_GroupBoxLabel, group);
        const QSize need =
            lineSize(group->fontMetrics(), QString(group->title()).remove(QLatin1Char('&')));
        if (!group->rect().contains(label))
            fault(group, QStringLiteral("title lies outside the box"));
        needs(group, group->title(), need, label);
    }
};

} // namespace

QStringList faults(QWidget* window, const QStringList& exempt)
{
    Sweep sweep;
    sweep.widget(window);
    QStringList kept;
    for (const QString& fault : std::as_const(sweep.faults)) {
        if (std::none_of(exempt.begin(), exempt.end(),
                         [&](const QString& part) { return fault.startsWith(part); }))
            kept << fault;
    }
    return kept;
}

} // namespace LayoutSweep

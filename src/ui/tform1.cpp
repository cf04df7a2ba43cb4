#include "tform1.h"

#include "boxtexts.h"
#include "dialogs.h"
#include "formdesign.h"
#include "keyfilter.h"
#include "model/charcodes.h"
#include "model/slotnames.h"
#include "rom/failure.h"
#include "rom/passwordtable.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <algorithm>
#include <cmath>

namespace vorn {

using namespace design;

namespace {

const QColor ErrorColour(255, 0, 0);

} // namespace

TForm1::TForm1(Dialogs &dialogs, FileAccess &files, QWidget *parent)
    : QWidget(parent)
    , m_dialogs(dialogs)
    , m_rom(files)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(tr(VORN_TITLE));
    setFont(editorFont());
    setBackgroundRole(QPalette::Button);
    createControls();
    FormCreate();
    layOut();
    connectControls();
    move(350, 167);
    Button1->setFocus();
}

TForm1::~TForm1() = default;

void TForm1::createControls()
{
    GroupBox1 = new QGroupBox(tr(" Passwords "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    createPasswordRows();
    createRomRow();
    createButtons();

    QWidget::setTabOrder(Button1, Button2);
    QWidget::setTabOrder(Button2, Button3);
    QWidget::setTabOrder(Button3, CheckBox1);
    QWidget *previous = CheckBox1;
    for (QLineEdit *field : m_edits) {
        QWidget::setTabOrder(previous, field);
        previous = field;
    }
    QWidget::setTabOrder(previous, BitBtn1);
    QWidget::setTabOrder(BitBtn1, CheckBox2);
}

void TForm1::createPasswordRows()
{
    m_keyFilter = new PasswordKeyFilter(this);
    for (int slot = 1; slot <= SlotCount; ++slot) {
        auto *field = new QLineEdit(GroupBox1);
        field->setObjectName(QStringLiteral("Edit%1").arg(slot + 1));
        field->installEventFilter(m_keyFilter);
        auto *label = new QLabel(unusedSlotName(), GroupBox1);
        label->setObjectName(QStringLiteral("Label%1").arg(slot + 1));
        // A screen reader announces the field by the slot's name, whatever the region.
        label->setBuddy(field);
        const bool shown = slotShown(Region::U, slot);
        field->setVisible(shown);
        label->setVisible(shown);
        m_edits[slot - 1] = field;
        m_labels[slot - 1] = label;
    }
    Label19 = new QLabel(hintText(), GroupBox1);
    Label19->setObjectName(QStringLiteral("Label19"));
    Label19->setVisible(false);
    // It sits on the frame's top edge, like a second caption: hide the line behind it.
    Label19->setAutoFillBackground(true);
}

void TForm1::createRomRow()
{
    CheckBox2 = new QCheckBox(tr("Autoselect ROM"), GroupBox1);
    CheckBox2->setObjectName(QStringLiteral("CheckBox2"));
    CheckBox2->setChecked(true);
    CheckBox1 = new QCheckBox(tr("Change ROM (U)/( J)"), GroupBox1);
    CheckBox1->setObjectName(QStringLiteral("CheckBox1"));
    CheckBox1->setEnabled(false);
    Label20 = new QLabel(tr("ROM:"), GroupBox1);
    Label20->setObjectName(QStringLiteral("Label20"));
    Label1 = new QLabel(regionCaption(Region::U), GroupBox1);
    Label1->setObjectName(QStringLiteral("Label1"));
}

void TForm1::createButtons()
{
    Button1 = new QPushButton(tr("Open ROM..."), GroupBox1);
    Button1->setObjectName(QStringLiteral("Button1"));
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_BrowserReload), tr("&Reload"), GroupBox1);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setEnabled(false);
    Button2 = new QPushButton(tr("Save ROM"), GroupBox1);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setEnabled(false);
    Button3 = new QPushButton(tr("About..."), GroupBox1);
    Button3->setObjectName(QStringLiteral("Button3"));
    for (QPushButton *button : {Button1, BitBtn1, Button2, Button3}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->installEventFilter(this);
    }
}

void TForm1::FormCreate()
{
    for (QLineEdit *field : m_edits)
        field->setMaxLength(SlotLength);
    for (int slot = 1; slot <= SlotCount; ++slot)
        m_labels[slot - 1]->setText(slotName(Region::U, slot));
}

void TForm1::layOut()
{
    // One factor for the whole design keeps every gap and alignment of it; it grows
    // until the widest caption and the tallest control fit their boxes.
    const QFontMetrics metrics(font());
    double scale = 1.0;
    // Grows the factor until `needed` pixels fit in `designed` ones, across or down.
    auto fit = [&scale](int needed, int designed) {
        scale = std::max(scale, needed / static_cast<double>(designed));
    };
    for (int slot = 1; slot <= SlotCount; ++slot) {
        for (Region region : {Region::U, Region::J})
            fit(metrics.horizontalAdvance(slotName(region, slot)) + 2, labelRect(slot).w);
    }
    fit(metrics.horizontalAdvance(QStringLiteral("WWWW")) + 12, FieldWidth);
    fit(m_edits[0]->minimumSizeHint().height(), FieldHeight);
    fit(metrics.height(), LabelHeight);
    fit(Label19->sizeHint().width(), HintRect.w);
    fit(Label20->sizeHint().width(), RomLabelRect.w);
    fit(metrics.horizontalAdvance(regionCaption(Region::J)) + 2, RegionLabelRect.w);
    fit(metrics.horizontalAdvance(GroupBox1->title()) + 8, GroupTitleRoom);
    for (auto [box, rect] : {std::pair{CheckBox2, AutoselectRect}, {CheckBox1, ChangeRomRect}}) {
        fit(box->sizeHint().width(), rect.w);
        fit(box->sizeHint().height(), rect.h);
    }
    for (auto [button, rect] : {std::pair{Button1, OpenRect}, {BitBtn1, ReloadRect},
                                {Button2, SaveRect}, {Button3, AboutRect}}) {
        int needed = metrics.horizontalAdvance(button->text().remove(QLatin1Char('&'))) + 16;
        if (!button->icon().isNull())
            needed += button->iconSize().width() + 4;
        fit(needed, rect.w);
        fit(metrics.height() + 8, rect.h);
    }

    const auto at = [scale](int v) { return static_cast<int>(std::lround(v * scale)); };
    const auto place = [&at](QWidget *widget, const Box &box, int top) {
        widget->setGeometry(at(box.x), top, at(box.x + box.w) - at(box.x), at(box.h));
    };
    place(GroupBox1, GroupBoxRect, at(GroupBoxRect.y));
    // Every row stands whole pitches below the first: rounding each row on its own would
    // make some gaps a pixel wider than others.
    for (int slot = 1; slot <= SlotCount; ++slot) {
        const int top = at(FirstRowTop) + rowOf(slot) * at(RowPitch);
        place(m_edits[slot - 1], fieldRect(slot), top);
        place(m_labels[slot - 1], labelRect(slot), top + at(LabelDrop));
    }
    for (auto [widget, box] : {std::pair<QWidget *, Box>{Label19, HintRect}, {CheckBox2, AutoselectRect},
                               {CheckBox1, ChangeRomRect}, {Label20, RomLabelRect},
                               {Label1, RegionLabelRect}, {Button1, OpenRect}, {BitBtn1, ReloadRect},
                               {Button2, SaveRect}, {Button3, AboutRect}})
        place(widget, box, at(box.y));
    setFixedSize(GroupBox1->size());
}

bool TForm1::eventFilter(QObject *watched, QEvent *event)
{
    // Enter presses the button that has the focus, as Space does; no button is a default
    // one that Enter would press from elsewhere.
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        auto *button = qobject_cast<QPushButton *>(watched);
        // The number pad's Enter carries the keypad modifier and is Enter all the same.
        if (button && button->isEnabled() && (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier
            && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
            button->animateClick();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TForm1::connectControls()
{
    connect(Button1, &QPushButton::clicked, this, [this] { runUserAction(&TForm1::Button1Click); });
    connect(Button2, &QPushButton::clicked, this, [this] { runUserAction(&TForm1::Button2Click); });
    connect(Button3, &QPushButton::clicked, this, [this] { runUserAction(&TForm1::Button3Click); });
    connect(BitBtn1, &QPushButton::clicked, this, [this] { runUserAction(&TForm1::BitBtn1Click); });
    // toggled fires on every change, by the user or by code, enabled or not.
    connect(CheckBox1, &QCheckBox::toggled, this, &TForm1::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::toggled, this, &TForm1::CheckBox2Click);
}

void TForm1::runUserAction(void (TForm1::*command)())
{
    try {
        (this->*command)();
    } catch (const Failure &failure) {
        m_dialogs.error(this, errorBoxText(failure.message()));
    } catch (const std::exception &exception) {
        m_dialogs.error(this, errorBoxText(QString::fromLocal8Bit(exception.what())));
    } catch (...) {
        m_dialogs.error(this, errorBoxText(tr("Unexpected error")));
    }
}

std::optional<Region> TForm1::region() const
{
    return regionFromCaption(Label1->text());
}

void TForm1::markField(QLineEdit *field)
{
    // Only the field's background is its own; every other colour still follows the style.
    QPalette palette;
    palette.setColor(QPalette::Base, ErrorColour);
    field->setPalette(palette);
}

void TForm1::resetFieldColours()
{
    // No colour of their own: the style's field colour shows, and follows a change of theme.
    for (QLineEdit *field : m_edits)
        field->setPalette(QPalette());
}

bool TForm1::fieldsComplete() const
{
    return std::all_of(m_edits.begin(), m_edits.begin() + SlotsChecked,
                       [](const QLineEdit *field) { return field->text().size() == SlotLength; });
}

void TForm1::load(const QString &name, bool *offsetApplied)
{
    m_rom.bind(name);
    m_rom.open();
    resetFieldColours();
    for (Region candidate : {Region::U, Region::J}) {
        if (Label1->text() == regionCaption(candidate)) {
            m_rom.seek(tableOffset(candidate));
            if (offsetApplied)
                *offsetApplied = true;
        }
    }
    Button2->setEnabled(true);
    const TableRead table = readPasswordTable(m_rom);
    for (int slot = 0; slot < table.slotsRead; ++slot)
        m_edits[slot]->setText(table.texts[slot]);
    if (table.failure)
        throw *table.failure;
    BitBtn1->setEnabled(true);
}

void TForm1::Button1Click()
{
    const std::optional<QString> chosen = m_dialogs.openFileName(this, m_rememberedName);
    if (!chosen)
        return;
    m_rememberedName = *chosen;
    bool offsetApplied = false;
    load(m_rememberedName, &offsetApplied);

    const QString wrongRom = tr("You selected the wrong ROM?");
    if (!CheckBox2->isChecked()) {
        if (!fieldsComplete() && offsetApplied)
            m_dialogs.message(this, wrongRom);
        return;
    }
    if (!fieldsComplete() && offsetApplied) {
        // The switch runs at once, from code, even though the box is disabled.
        CheckBox1->setChecked(!CheckBox1->isChecked());
        BitBtn1Click();
    }
    if (!fieldsComplete() && offsetApplied)
        m_dialogs.message(this, wrongRom);
}

void TForm1::BitBtn1Click()
{
    load(m_rememberedName, nullptr);
}

void TForm1::Button2Click()
{
    for (QLineEdit *field : m_edits) {
        const QString upper = upperCaseAscii(field->text());
        if (upper != field->text())
            field->setText(upper);
    }
    resetFieldColours();
    const std::optional<Region> current = region();
    if (!current)
        return;

    const int written = slotsWritten(*current);
    bool complete = true;
    for (int slot = 0; slot < written; ++slot) {
        if (m_edits[slot]->text().size() != SlotLength) {
            markField(m_edits[slot]);
            complete = false;
        }
    }
    if (!complete) {
        m_dialogs.message(this, tr("Error!\r\nAll passwords must be at least 4 characters!"));
        return;
    }

    std::array<QString, SlotCount> texts;
    for (int slot = 0; slot < SlotCount; ++slot)
        texts[slot] = m_edits[slot]->text();
    m_rom.seek(tableOffset(*current));
    // Everything is converted and checked before the first byte goes out, so a failure
    // never leaves a table that is half new and half old.
    const std::vector<std::uint8_t> bytes = encodePasswords(texts, *current);
    requireRoomForTable(m_rom, *current);
    m_rom.write(bytes);
    m_rom.flush();

    BitBtn1Click();
    for (int slot = 0; slot < written; ++slot) {
        if (m_edits[slot]->text() != texts[slot])
            throw IoFailure(0, tr("The passwords could not be verified: the file read back does not hold what was written"));
    }
    m_dialogs.message(this, tr("Operation successful!"));
}

void TForm1::Button3Click()
{
    m_dialogs.message(this, aboutText(QStringLiteral(VORN_HOMEPAGE), QStringLiteral(VORN_FORUM_URL),
                                      QStringLiteral(VORN_VENDOR)));
}

void TForm1::applyRegion(Region region)
{
    Label1->setText(regionCaption(region));
    Label19->setVisible(region == Region::J);
    for (int slot = 1; slot <= SlotCount; ++slot) {
        m_edits[slot - 1]->setVisible(slotShown(region, slot));
        m_labels[slot - 1]->setVisible(slotShown(region, slot));
        m_labels[slot - 1]->setText(slotName(region, slot));
    }
}

void TForm1::CheckBox1Click()
{
    // Decides by the caption alone, never by the check mark.
    if (const std::optional<Region> current = region())
        applyRegion(otherRegion(*current));
}

void TForm1::CheckBox2Click()
{
    CheckBox1->setEnabled(!CheckBox2->isChecked());
}

} // namespace vorn

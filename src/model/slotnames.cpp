#include "slotnames.h"

#include "tablelayout.h"

#include <QCoreApplication>

#include <array>

namespace vorn {

namespace {

using NameTable = std::array<const char *, SlotCount>;

constexpr NameTable NamesU = {
    QT_TRANSLATE_NOOP("vorn", "Level 2 (1st Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 3 (1st Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 4 (1st Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 5 (1st Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 6 (1st Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 7 (1st Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 8 (1st Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 1 (2nd Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 2 (2nd Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 3 (2nd Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 4 (2nd Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 5 (2nd Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 6 (2nd Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 7 (2nd Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 8 (2nd Quest)"),
    QT_TRANSLATE_NOOP("vorn", "None"),
    QT_TRANSLATE_NOOP("vorn", "None"),
};

// The access codes sit between the quests, so (J)'s second quest starts two slots later.
// "Assecc" is how the game's players know these codes; keep the spelling.
constexpr NameTable NamesJ = {
    QT_TRANSLATE_NOOP("vorn", "Level 2 (1st Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 3 (1st Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 4 (1st Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 5 (1st Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 6 (1st Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 7 (1st Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 8 (1st Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Assecc 1 code"),
    QT_TRANSLATE_NOOP("vorn", "Assecc 2 code"),
    QT_TRANSLATE_NOOP("vorn", "Level 1 (2nd Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 2 (2nd Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 3 (2nd Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 4 (2nd Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 5 (2nd Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 6 (2nd Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 7 (2nd Quest)"),
    QT_TRANSLATE_NOOP("vorn", "Level 8 (2nd Quest)"),
};

} // namespace

QString slotName(Region region, int slot)
{
    if (slot < 1 || slot > SlotCount)
        return {};
    const NameTable &names = region == Region::U ? NamesU : NamesJ;
    return QCoreApplication::translate("vorn", names[slot - 1]);
}

QString unusedSlotName()
{
    return QCoreApplication::translate("vorn", "None");
}

QString hintText()
{
    return QCoreApplication::translate(
        "vorn", "In (J) enter: Access 1code > Acess 2 code > 2nd Quest code");
}

} // namespace vorn

#include "slotnames.h"

#include "tablelayout.h"

#include <QCoreApplication>

#include <array>

namespace vorn {

namespace {

// The fifteen levels both regions unlock, in (U)'s slot order; (U) leaves its last two
// slots unused.
constexpr std::array<const char *, 15> Levels = {
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
};
constexpr std::size_t FirstQuestLevels = 7;
constexpr const char *Unused = QT_TRANSLATE_NOOP("vorn", "None");

// (J) has access codes between the quests, so its second quest starts two slots later.
// "Assecc" is how the game's players know these codes; keep the spelling.
constexpr std::array<const char *, 2> AccessCodes = {
    QT_TRANSLATE_NOOP("vorn", "Assecc 1 code"),
    QT_TRANSLATE_NOOP("vorn", "Assecc 2 code"),
};
static_assert(Levels.size() + AccessCodes.size() == SlotCount);

using NameTable = std::array<const char *, SlotCount>;

constexpr NameTable namesOf(Region region)
{
    NameTable names{};
    std::size_t slot = 0;
    for (std::size_t level = 0; level < Levels.size(); ++level) {
        if (region == Region::J && level == FirstQuestLevels) {
            for (const char *code : AccessCodes)
                names[slot++] = code;
        }
        names[slot++] = Levels[level];
    }
    while (slot < names.size())
        names[slot++] = Unused;
    return names;
}

constexpr NameTable NamesU = namesOf(Region::U);
constexpr NameTable NamesJ = namesOf(Region::J);

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
    return QCoreApplication::translate("vorn", Unused);
}

QString hintText()
{
    return QCoreApplication::translate(
        "vorn", "In (J) enter: Access 1code > Acess 2 code > 2nd Quest code");
}

} // namespace vorn

#pragma once

#include "model/region.h"
#include "model/tablelayout.h"
#include "rom/romfile.h"

#include <QWidget>

#include <array>
#include <optional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vorn {

class Dialogs;
class PasswordKeyFilter;

/// The editor's one window. It holds all state: the region is Label1's caption, slot n
/// is the text of field Edit(n+1), its name the caption of Label(n+1), the autoselect
/// option CheckBox2's check mark. Controls carry their documented object names.
class TForm1 : public QWidget
{
    Q_OBJECT

public:
    /// `dialogs` shows every modal box; `files` is the file layer's access to the system.
    explicit TForm1(Dialogs &dialogs, FileAccess &files = FileAccess::system(), QWidget *parent = nullptr);
    ~TForm1() override;

    /// The field of slot 1-17.
    QLineEdit *passwordField(int slot) const { return m_edits.at(slot - 1); }
    /// The name label of slot 1-17.
    QLabel *nameLabel(int slot) const { return m_labels.at(slot - 1); }
    /// The region Label1 names; nullopt only if its caption were neither region's.
    std::optional<Region> region() const;
    /// The name last accepted in the file dialog.
    QString rememberedFileName() const { return m_rememberedName; }

    // The commands. A failed file step or conversion throws a Failure out of these; the
    // button connections report it once in the error box.
    void Button1Click(); ///< Open ROM
    void Button2Click(); ///< Save ROM
    void Button3Click(); ///< About
    void BitBtn1Click(); ///< Reload
    void CheckBox1Click(); ///< region switch; cannot fail
    void CheckBox2Click(); ///< autoselect toggle; cannot fail

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createControls();
    void createPasswordRows();
    void createRomRow();
    void createButtons();
    void layOut();
    void FormCreate();
    void connectControls();

    /// Runs a command a user started, showing any failure once.
    void runUserAction(void (TForm1::*command)());
    /// Binds, opens and reads the password table; sets `*offsetApplied` once positioned.
    void load(const QString &name, bool *offsetApplied);
    bool fieldsComplete() const;
    void resetFieldColours();
    void markField(QLineEdit *field);
    void applyRegion(Region region);

    Dialogs &m_dialogs;
    RomFile m_rom;
    QString m_rememberedName;
    PasswordKeyFilter *m_keyFilter = nullptr;

    QGroupBox *GroupBox1 = nullptr;
    QPushButton *Button1 = nullptr;
    QPushButton *Button2 = nullptr;
    QPushButton *Button3 = nullptr;
    QPushButton *BitBtn1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label19 = nullptr;
    QLabel *Label20 = nullptr;
    QCheckBox *CheckBox1 = nullptr;
    QCheckBox *CheckBox2 = nullptr;
    std::array<QLineEdit *, SlotCount> m_edits{}; // Edit2 ... Edit18
    std::array<QLabel *, SlotCount> m_labels{};   // Label2 ... Label18
};

} // namespace vorn

#pragma once

#include "faultyfileaccess.h"
#include "imagefiles.h"
#include "scripteddialogs.h"

#include "model/tablelayout.h"
#include "ui/tform1.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

// The editor's window over scripted dialogs and fault-injecting file calls, for tests that
// drive it as a user does: a test's init() shows a fresh one, its cleanup() closes it.
class WindowFixture
{
protected:
    /// A new window over cleared fakes, shown, exposed and active; false when it never
    /// became exposed.
    bool showWindow()
    {
        m_dialogs = ScriptedDialogs();
        m_sys.clear();
        m_form = new vorn::TForm1(m_dialogs, m_sys);
        m_form->show();
        if (!QTest::qWaitForWindowExposed(m_form))
            return false;
        m_form->activateWindow();
        return true;
    }

    void closeWindow()
    {
        delete m_form;
        m_form = nullptr;
    }

    QCheckBox *box(const char *name) const { return m_form->findChild<QCheckBox *>(QLatin1String(name)); }
    QPushButton *button(const char *name) const { return m_form->findChild<QPushButton *>(QLatin1String(name)); }
    QLabel *label(const char *name) const { return m_form->findChild<QLabel *>(QLatin1String(name)); }

    /// The texts of the 17 fields or name labels, slot 1 first.
    QStringList fieldTexts() const { return slotTexts(&vorn::TForm1::passwordField); }
    QStringList labelTexts() const { return slotTexts(&vorn::TForm1::nameLabel); }
    template<typename Control>
    QStringList slotTexts(Control *(vorn::TForm1::*control)(int) const) const
    {
        QStringList result;
        for (int slot = 1; slot <= vorn::SlotCount; ++slot)
            result << (m_form->*control)(slot)->text();
        return result;
    }

    ImageFiles m_files;
    ScriptedDialogs m_dialogs;
    FaultyFileAccess m_sys;
    vorn::TForm1 *m_form = nullptr;
};

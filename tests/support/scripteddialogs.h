#pragma once

#include "ui/dialogs.h"

#include <QStringList>

#include <deque>
#include <optional>

// Answers the window's dialogs from a script and records every box it was asked to show.
class ScriptedDialogs : public vorn::Dialogs
{
public:
    /// The next file dialog accepts `name`; nullopt cancels it.
    void answer(std::optional<QString> name) { m_answers.push_back(std::move(name)); }

    std::optional<QString> openFileName(QWidget *, const QString &initialName) override
    {
        initialNames << initialName;
        std::optional<QString> next;
        if (!m_answers.empty()) {
            next.swap(m_answers.front());
            m_answers.pop_front();
        }
        return next;
    }
    void message(QWidget *, const QString &text) override { messages << text; }
    void error(QWidget *, const QString &text) override { errors << text; }

    void reset()
    {
        messages.clear();
        errors.clear();
        initialNames.clear();
    }

    QStringList messages;
    QStringList errors;
    QStringList initialNames;

private:
    std::deque<std::optional<QString>> m_answers;
};

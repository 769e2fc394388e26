// The commands of a dictionary that others change too: taking in the file
// as it now stands on disk, merging it (or another dictionary) with the
// records here, and the question a save asks when the file changed since it
// was read. They reach the user only through the platform's user-interface
// services and the conflict prompt.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <optional>

#include "document/conflict_prompt.h"

namespace quorbex {

class CZorvikDrugDoc;

namespace platform {
class UserInterface;
}

class SharedFileCommands : public QObject {
    Q_OBJECT
public:
    // Sets itself as the document's question for a save over a changed file.
    SharedFileCommands(CZorvikDrugDoc& document, platform::UserInterface& ui,
                       ConflictPromptFactory createConflictPrompt);
    ~SharedFileCommands() override;

    // Takes in the file as it now stands, for a document without changes of
    // its own; false, with nothing changed, while the file cannot be read or
    // is no whole dictionary (it may be halfway through a rewrite).
    bool ReloadUnmodified();
    // Takes in the file after asking whether to discard the changes here.
    bool ReloadDiscardingMine();
    // Merges the changes in the file on disk since it was read or saved
    // here with the changes here, as one step of the undo stack.
    bool MergeFromDisk();
    // Merges the dictionary at path into this one, as one step of the undo
    // stack: its new drugs added, a drug of one name with other texts a
    // conflict.
    bool MergeFile(const QString& path);

    // The save's question when the file changed on disk: merge (the
    // default, then save), reload, keep mine (save over it), or cancel.
    // True to go on with the save.
    bool OnSaveOverChange();

    // Whether one of the commands is asking the user now: the records must
    // not change under its feet (a reload would be merged away).
    bool Busy() const { return m_busy > 0; }

signals:
    // A line for the status bar: what was done.
    void statusMessage(const QString& text);
    // The commands stopped asking the user: Busy() is false again.
    void idle();

private:
    // The bytes of the file at path, or nothing after telling the user why.
    std::optional<QByteArray> ReadDictionary(const QString& path);
    // The merge of theirs with the records here; base none merges without a
    // common version. False when the user cancelled or the result was refused.
    bool Merge(const std::optional<QByteArray>& base, const QByteArray& theirs,
               const QString& theirsName);
    QString FileName() const;

    // Counts a command that asks the user while it lives.
    class Asking {
    public:
        explicit Asking(SharedFileCommands& commands);
        ~Asking();
        Asking(const Asking&) = delete;
        Asking& operator=(const Asking&) = delete;

    private:
        SharedFileCommands& m_commands;
    };

    CZorvikDrugDoc& m_document;
    platform::UserInterface& m_ui;
    ConflictPromptFactory m_createConflictPrompt;
    int m_busy = 0;
};

}  // namespace quorbex

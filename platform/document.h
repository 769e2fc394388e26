// A document: the data of one file, its path and title, the modified flag,
// and the bytes of its file as last read or written; with the open, save,
// save-as and close behaviour shared by every document. What its data are
// and how they change is the subclass's; what changed goes out as signals.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "store/file.h"

namespace quorbex::platform {

class DocumentTemplate;
class UserInterface;

// What Serialize is handed: the open file and the direction.
class Archive {
public:
    Archive(File& file, bool loading) : m_file(file), m_loading(loading) {}

    File& GetFile() { return m_file; }
    bool IsLoading() const { return m_loading; }

private:
    File& m_file;
    bool m_loading;
};

class Document : public QObject {
    Q_OBJECT
public:
    explicit Document(UserInterface& ui);
    ~Document() override;

    // A new, untitled document; true if it is ready.
    virtual bool OnNewDocument();
    // Reads the file at path once and loads its bytes through Serialize (not
    // when the file is empty), then clears the modified flag. A file that
    // cannot be read, or whose contents Serialize refuses, is reported to
    // the user and leaves the document as it was.
    virtual bool OnOpenDocument(const QString& path);
    // Writes the document to path through Serialize. The previous file is
    // replaced only once the whole new one is written; a failure is reported
    // and leaves the previous file and the modified flag as they were.
    virtual bool OnSaveDocument(const QString& path);
    // Reads or writes the document's data; false if that failed.
    virtual bool Serialize(Archive& archive) = 0;
    // Takes the unsaved data of a recovery file (what Serialize wrote) and
    // marks the document modified; false if Serialize refuses it.
    virtual bool OnRecoverDocument(const QByteArray& image);

    // Saves to path, or asks for a name first when path is empty; the
    // document then takes the new path and title.
    bool DoSave(const QString& path);
    // Saves to the document's own file; an untitled or read-only document
    // asks for a name first.
    bool DoFileSave();
    // Asks whether to save a modified document: false if the user cancels
    // or the save fails, true to go on closing.
    bool SaveModified();

    // The file commands of every document: save, save under a new name, and
    // close (with the save prompt for a modified document).
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileClose();

    bool IsModified() const { return m_modified; }
    void SetModifiedFlag(bool modified = true);

    const QString& GetPathName() const { return m_pathName; }
    // Also puts the path first in the recent-file list.
    void SetPathName(const QString& path);
    const QString& GetTitle() const { return m_title; }
    void SetTitle(const QString& title);

    DocumentTemplate* GetDocTemplate() const { return m_template; }
    void SetDocTemplate(DocumentTemplate* docTemplate) { m_template = docTemplate; }

    UserInterface& Ui() const { return m_ui; }

    // Tells the user that path could not be read (saving false) or written.
    void ReportSaveLoadException(const QString& path, const QString& reason, bool saving);

    // The bytes of the document's file as the document last read or wrote
    // them, and their digest; nothing when unknown (a new document, or one
    // restored from a recovery file, which knows only the digest). A save to
    // the file asks before it overwrites other contents.
    const std::optional<QByteArray>& DiskBytes() const { return m_diskBytes; }
    // Computed when first asked for: an open does not wait for it.
    const std::optional<QByteArray>& DiskContentHash() const;
    void SetDiskContentHash(std::optional<QByteArray> hash);
    // Whether the file at the document's path holds other bytes than those.
    // A file that is gone or unreadable has nothing to lose.
    bool ChangedOnDisk() const;

    // What a save to the document's own file does once the file changed on
    // disk since it was read or written here: answers true to go on and
    // write over it. Without one, the document asks whether to overwrite,
    // save under another name or cancel.
    void SetChangedOnDiskHandler(std::function<bool()> handler) {
        m_changedOnDiskHandler = std::move(handler);
    }

signals:
    void modifiedChanged(bool modified);
    // The document's data changed (each change, not only the first).
    void contentChanged();
    void titleChanged(const QString& title);

protected:
    // What the file holds now, as the document read or wrote it.
    void KeepDiskBytes(QByteArray bytes);

private:
    UserInterface& m_ui;
    DocumentTemplate* m_template = nullptr;
    QString m_pathName;
    QString m_title;
    bool m_modified = false;
    std::optional<QByteArray> m_diskBytes;
    mutable std::optional<QByteArray> m_diskHash;
    std::function<bool()> m_changedOnDiskHandler;
};

// A digest of the contents.
QByteArray ContentHash(const QByteArray& contents);
// A digest of the file's contents; nothing when it cannot be read.
std::optional<QByteArray> FileContentHash(const QString& path);

}  // namespace quorbex::platform

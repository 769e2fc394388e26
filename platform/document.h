// A document: the data of one file, its views, its path and title, and the
// modified flag; with the open, save, save-as and close behaviour shared by
// every document.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <optional>
#include <vector>

#include "store/file.h"

namespace quorbex::platform {

class DocumentTemplate;
class UserInterface;
class View;

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
    // Opens path and loads it through Serialize (not when the file is empty),
    // then clears the modified flag. Reports a failure to the user.
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

    void UpdateAllViews(View* sender, int hint);
    void AddView(View& view);
    void RemoveView(View& view);
    const std::vector<View*>& GetViews() const { return m_views; }

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

    // A digest of the contents the document's file had when the document
    // last opened or saved it; nothing when unknown. A save to the file asks
    // before it overwrites other contents.
    const std::optional<QByteArray>& DiskContentHash() const { return m_diskHash; }
    void SetDiskContentHash(std::optional<QByteArray> hash) { m_diskHash = std::move(hash); }

signals:
    void modifiedChanged(bool modified);
    // The document's data changed (each change, not only the first).
    void contentChanged();
    void titleChanged(const QString& title);

private:
    bool ChangedOnDisk() const;

    UserInterface& m_ui;
    DocumentTemplate* m_template = nullptr;
    std::vector<View*> m_views;
    QString m_pathName;
    QString m_title;
    bool m_modified = false;
    std::optional<QByteArray> m_diskHash;
};

// A digest of the file's contents; nothing when it cannot be read.
std::optional<QByteArray> FileContentHash(const QString& path);

}  // namespace quorbex::platform

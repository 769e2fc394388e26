// The steps of a dictionary's undo stack: records appended, a record
// modified, a record deleted, every record replaced (a merge). Each keeps the bytes of the records
// it touched, so that undoing and redoing it give back exactly the records that were there. A step
// is pushed once its change is done: its first redo, which the stack runs on the push, does
// nothing.
#pragma once

#include <QUndoCommand>
#include <cstdint>
#include <vector>

#include "store/record_store.h"

namespace quorbex {

class CZorvikDrugDoc;

// Records first, first + 1, ... appended, in one step however many.
class AppendRecordsCommand : public QUndoCommand {
public:
    AppendRecordsCommand(CZorvikDrugDoc& document, std::uint32_t first,
                         std::vector<RecordBytes> records);

    void undo() override;
    void redo() override;

private:
    CZorvikDrugDoc& m_document;
    std::uint32_t m_first;
    std::vector<RecordBytes> m_records;
    bool m_done = true;
};

// Record number rewritten from before to after.
class ModifyRecordCommand : public QUndoCommand {
public:
    ModifyRecordCommand(CZorvikDrugDoc& document, std::uint32_t number, const RecordBytes& before,
                        const RecordBytes& after);

    void undo() override;
    void redo() override;

private:
    CZorvikDrugDoc& m_document;
    std::uint32_t m_number;
    RecordBytes m_before;
    RecordBytes m_after;
    bool m_done = true;
};

// Record number, which stood at position in the result list, deleted.
class DeleteRecordCommand : public QUndoCommand {
public:
    DeleteRecordCommand(CZorvikDrugDoc& document, std::uint32_t number, const RecordBytes& record,
                        int position);

    void undo() override;
    void redo() override;

private:
    CZorvikDrugDoc& m_document;
    std::uint32_t m_number;
    RecordBytes m_record;
    int m_position;
    bool m_done = true;
};

// Every record replaced at once, from before to after.
class ReplaceRecordsCommand : public QUndoCommand {
public:
    ReplaceRecordsCommand(CZorvikDrugDoc& document, std::vector<RecordBytes> before,
                          std::vector<RecordBytes> after);

    void undo() override;
    void redo() override;

private:
    CZorvikDrugDoc& m_document;
    std::vector<RecordBytes> m_before;
    std::vector<RecordBytes> m_after;
    bool m_done = true;
};

}  // namespace quorbex

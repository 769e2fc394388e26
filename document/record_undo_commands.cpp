#include "document/record_undo_commands.h"

#include <utility>

#include "document/zorvik_drug_doc.h"

namespace quorbex {

AppendRecordsCommand::AppendRecordsCommand(CZorvikDrugDoc& document, std::uint32_t first,
                                           std::vector<RecordBytes> records)
    : m_document(document), m_first(first), m_records(std::move(records)) {}

void AppendRecordsCommand::undo() {
    m_document.RemoveStoredRecords(m_first, m_records.size());
}

void AppendRecordsCommand::redo() {
    if (std::exchange(m_done, false)) {
        return;
    }
    m_document.AppendStoredRecords(m_records);
}

ModifyRecordCommand::ModifyRecordCommand(CZorvikDrugDoc& document, std::uint32_t number,
                                         const RecordBytes& before, const RecordBytes& after)
    : m_document(document), m_number(number), m_before(before), m_after(after) {}

void ModifyRecordCommand::undo() {
    m_document.WriteStoredRecord(m_number, m_before);
}

void ModifyRecordCommand::redo() {
    if (std::exchange(m_done, false)) {
        return;
    }
    m_document.WriteStoredRecord(m_number, m_after);
}

DeleteRecordCommand::DeleteRecordCommand(CZorvikDrugDoc& document, std::uint32_t number,
                                         const RecordBytes& record, int position)
    : m_document(document), m_number(number), m_record(record), m_position(position) {}

void DeleteRecordCommand::undo() {
    m_document.InsertStoredRecord(m_number, m_record, m_position);
}

void DeleteRecordCommand::redo() {
    if (std::exchange(m_done, false)) {
        return;
    }
    // As the delete did: the record current, then gone.
    m_document.MakeRecordCurrent(m_number);
    m_document.RemoveStoredRecords(m_number, 1);
}

ReplaceRecordsCommand::ReplaceRecordsCommand(CZorvikDrugDoc& document,
                                             std::vector<RecordBytes> before,
                                             std::vector<RecordBytes> after)
    : m_document(document), m_before(std::move(before)), m_after(std::move(after)) {}

void ReplaceRecordsCommand::undo() {
    m_document.SetAllStoredRecords(m_before);
}

void ReplaceRecordsCommand::redo() {
    if (std::exchange(m_done, false)) {
        return;
    }
    m_document.SetAllStoredRecords(m_after);
}

}  // namespace quorbex

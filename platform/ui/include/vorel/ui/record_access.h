// RecordAccess: what a form needs of the table it edits, and its binding to the table engine.
//
// A form edits the record buffer of its table; OK writes it. `RecordAccess` is that table as the
// form sees it; `TableAccess` implements it over a thread's `data::FileManager` with the table
// engine's framework operations: new-record values and a primed auto-number (an abandoned insert
// gives it back), the field rules (messages 17 to 19), insert and update (message 15 on a
// duplicate key), and delete with its relations (through the thread's RelationManager when the
// table is in the thread's dictionary; `Relations::RecordOnly` writes the record alone, for a form
// whose own writes take care of what hangs on it). The engine's messages reach the user through the asker
// that `InstallMessageBoxAsker` installs: message boxes on the calling procedure's thread.
#pragma once

#include <cstdint>
#include <string>

#include "vorel/data/file_manager.h"
#include "vorel/data/record_buffer.h"

namespace vorel::ui {

class RecordAccess {
public:
    virtual ~RecordAccess() = default;
    virtual std::string Name() const = 0;
    // Clears the buffer for a new record: defaults, auto-number. False: the insert cannot start.
    virtual bool PrimeNew() = 0;
    virtual void CancelNew() = 0;                // an abandoned insert gives its number back
    // Remembers the buffer (and the record's place) as the form opens on it.
    virtual void SaveCopy() = 0;
    virtual void RestoreCopy() = 0;
    // The first field whose rule fails (its message shown), or -1 when all pass.
    virtual int CheckFieldRules() = 0;
    // The writes; a refusal has been shown to the user and returns false.
    virtual bool Insert() = 0;
    virtual bool Update() = 0;
    virtual bool Delete() = 0;
    virtual std::int64_t Position() const = 0;  // the place of the record in the buffer
};

// Whether an update or delete also acts on the table's children (cleared, restricted, cascaded).
enum class Relations { Follow, RecordOnly };

class TableAccess : public RecordAccess {
public:
    explicit TableAccess(data::FileManager& file, Relations relations = Relations::Follow)
        : file_(file), relations_(relations) {}
    std::string Name() const override;
    bool PrimeNew() override;
    void CancelNew() override;
    void SaveCopy() override;
    void RestoreCopy() override;
    int CheckFieldRules() override;
    bool Insert() override;
    bool Update() override;
    bool Delete() override;
    std::int64_t Position() const override { return position_; }
    data::FileManager& file() { return file_; }

private:
    bool BackOnRecord();

    bool ThroughRelations() const;

    data::FileManager& file_;
    Relations relations_;
    data::RecordBuffer copy_;
    std::int64_t position_ = 0;
};

// Makes the table engine ask through message boxes (every thread without an asker of its own);
// a fatal message stops the program after its box.
void InstallMessageBoxAsker();

}  // namespace vorel::ui

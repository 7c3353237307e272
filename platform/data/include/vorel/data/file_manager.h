// FileManager: one thread's handle on one table, with its record buffer and its cursor.
//
// Each thread has its own FileManager per table (and per alias): its own record buffer, open count,
// key order and position. Operations return an error code (0 = success, see error.h) and leave it in
// the thread's last error. Raw operations (add, put, remove) only return the code; the framework's
// insert, update and delete (framework.h) add auto-numbering, field rules, messages and cascades.
//
//   FileManager ent(EntradaVorel());          // or the thread's dictionary's object
//   ent.open();                               // the name variable's file, created when missing
//   auto& r = ent.rec<EntradaRec>();
//   r.Numero = 10; ent.get(keys::ENT_KEY_NUMERO); // exact match on the key's components
//   ent.clear_record(); r.DataEmissao = d;    // position from the buffer's values
//   ent.set_at(keys::ENT_KEY_DATA);
//   while (ent.next().ok()) { ... ent.put(); }
//   ent.close();
//
// A table of the text-line driver (TableBuilder::text_lines) reads and appends lines through the
// same calls: open/create/close, set (start), next, add, records, position/reget.
//
// A file opens at the path the table's name variable holds at that moment (open), or at an explicit
// path for this cursor only (open_path: a staging file, another year's file, an archive). Opening
// checks the stored structure version (older files are upgraded through the table's upgrade hook)
// and the keys (46 when an index is missing; rebuild_keys repairs it).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "vorel/data/error.h"
#include "vorel/data/record_buffer.h"
#include "vorel/data/table_desc.h"

namespace vorel::data {

struct FileHandle;
class ShareLock;
class TextLines;

// A record's place in its file (re-get by position).
struct Position {
    std::int64_t id = 0;
    friend bool operator==(const Position&, const Position&) = default;
};

// Common base of every structure version (`VersaoBaseArquivos`); a file stores base + increment.
void set_structure_version_base(int base);
int structure_version_base();

class FileManager {
public:
    explicit FileManager(const TableDesc& desc);
    ~FileManager();
    FileManager(const FileManager&) = delete;
    FileManager& operator=(const FileManager&) = delete;

    const TableDesc& desc() const { return desc_; }
    void* buffer() { return buffer_.get(); }
    const void* buffer() const { return buffer_.get(); }
    template <class R>
    R& rec() {
        return record_cast<R>(desc_, buffer());
    }

    // --- life cycle ---
    Result open();                             // at the name variable's path; counted; shared (open_mode.h)
    Result open_path(std::string_view path);   // at an explicit path; counted; shared
    // The same in an open mode (open_mode.h): 32 when another opener's mode and this one exclude
    // each other. A counted reopen keeps the first open's mode.
    Result open(std::uint8_t mode);
    Result open_path(std::string_view path, std::uint8_t mode);
    Result close();                            // closes the file when the count reaches 0
    Result create();                           // creates the (name variable's) file empty, replacing none
    Result create_path(std::string_view path);
    bool is_open() const { return open_count_ > 0; }
    int open_count() const { return open_count_; }
    std::string file_name() const;          // the open file, else the name variable's value
    void set_create(bool on) { create_ = on; }
    // Lock-recover wait in seconds for opens and writes (default 10).
    void set_lock_wait(int seconds) { lock_wait_ = seconds; }
    int lock_wait() const { return lock_wait_; }
    // Driver option strings: "Recover=N" sets the lock wait; "CacheKiB=N" the open file's page cache
    // (32768 by default; for as long as the file stays open on the thread, shared by its cursors);
    // answers "" for unknown options.
    std::string send(std::string_view option);

    // --- reading ---
    int key_number(KeyName key_name) const;  // index of a key, -1 when none
    // The first record whose key components equal the buffer's (35 when none).
    Result get(int key);
    Result get(KeyName key_name) { return get(key_number(key_name)); }
    Result reget(Position p);                  // 35 when the record is gone
    Position position() const { return {current_id_}; }
    // A text-line table: the whole length of the line read last, of which the record holds the
    // first 2000 characters (0 for other tables).
    std::size_t line_length() const;
    // Makes `p` the current record without reading it (the buffer already holds it).
    void reget_position_only(Position p) { current_id_ = p.id; }
    // Positions at the start (next) or end (previous) of the key order.
    Result set(int key);
    Result set(KeyName key_name) { return set(key_number(key_name)); }
    // Positions at the buffer's component values: next reads the first record at or after them,
    // previous the last at or before them.
    Result set_at(int key);
    Result set_at(KeyName key_name) { return set_at(key_number(key_name)); }
    // The same on the first `components` components only: next reads the first record whose
    // leading components are at or after the buffer's, previous the last at or before them.
    Result set_at(int key, int components);
    // Positions as set_at(key, components) does (every component when negative) and keeps the
    // cursor among the records whose first `within` components equal the buffer's: next and
    // previous return 33 past them, and the cursor reads nothing beyond them.
    Result set_within(int key, int within, int components = -1);
    Result set_within(KeyName key_name, int within, int components = -1) {
        return set_within(key_number(key_name), within, components);
    }
    // Positions by a record position: next reads the record after it in the key order, previous the
    // record before it (however many records share its key values).
    Result set_after(int key, Position p);
    Result next();                             // 33 at the end of the key order
    Result previous();                         // 33 at the start
    std::int64_t records();                 // -1 on error

    // --- raw writing: error code only ---
    Result add();      // appends the buffer as a new record (40 on a duplicate unique key)
    // Adds the buffer as a new record at position `p` (a positive record id no record holds; 40 when
    // one does): among records of equal key values it reads where that id places it, whatever the
    // order of the adds. For a run that writes its own file in another order than it must read back.
    // Later add()s number after the highest id the file ever held.
    Result add_at(Position p);
    Result put();      // writes the buffer over the current record
    Result remove();   // deletes the current record
    // Deletes, in one statement, every record whose components of `key` lie between the buffer's
    // and those of `last` (a record of this table) in the key's order, both ends included; an
    // optional key's range holds only the records the key lists. `removed` (may be null) gets the
    // number deleted; an empty range is no error. No record is current afterwards.
    //   q.Produto = p; q.Aliquota = r; q.Competencia = janeiro;   // key Produto, Aliquota, Competencia
    //   SaldosRec ate = q; ate.Competencia = dezembro;
    //   fm.remove_range(keys::PRODALIQUOTADATA, &ate);             // the twelve months at rate r
    Result remove_range(int key, const void* last, std::int64_t* removed = nullptr);
    Result remove_range(KeyName key_name, const void* last, std::int64_t* removed = nullptr) {
        return remove_range(key_number(key_name), last, removed);
    }
    // Clears the buffer (blank text, zero numbers).
    void clear_record();
    bool has_current() const { return current_id_ != 0; }

    // --- the framework's operations (messages through the thread's ErrorManager) ---
    // Clears the buffer and sets the table's new-record values.
    void prime_record();
    // Checks one field's rule (choice list, range, upper bound): 0 when it passes; else 5, or with
    // `Messages::Show` the answer to message 17, 18 or 19. An alias checks with its base's rules, always showing.
    Outcome test_field_rules(int field, Messages messages);
    // Every field's rule in turn; the first failure's result.
    Outcome validate_record(Messages messages);
    // Adds the buffer as a new record: field rules, auto-numbering (atomic across threads and
    // processes), message 15 naming the key on a duplicate. 0 when written, else a level (5).
    Outcome insert(Messages messages = Messages::Show);
    // Writes the buffer over the current record: field rules, message 15 on a duplicate.
    // (Changes of linking fields cascade through the table's RelationManager.)
    Outcome update(Messages messages = Messages::Show);
    // Numbers the auto-numbered keys and adds the record at once (a form shows the number);
    // insert() then writes over it, release_auto_number() deletes it when the insert is abandoned.
    Outcome prime_auto_number(Messages messages = Messages::Show);
    Result release_auto_number();
    bool auto_number_primed() const { return primed_id_ != 0; }

    // --- maintenance ---
    Result rebuild_keys();                     // recreates every index (also of a file that does not open: 46)
    // The same in one transaction, telling `progress` each key's name and the percentage of keys done
    // (before each key, now and then while it is built, and 100 at the end); its false rolls the
    // rebuild back and returns 92, the file as it was.
    using KeyProgress = std::function<bool(const std::string& key, int percent)>;
    Result rebuild_keys(const KeyProgress& progress);
    // An open that finds the file's keys invalid (46) keeps the file open in its mode and returns 46, so
    // that rebuild_keys mends them under that open (an exclusive one, for the maintenance window).
    // Nothing but rebuild_keys, pack, verify, records and close is meant for a file so opened.
    void keep_open_on_invalid_keys(bool on) { keep_invalid_keys_ = on; }
    // Records left primed by a process that no longer runs, which the last open for writing removed.
    std::int64_t released_on_open() const { return released_on_open_; }
    Result pack();                             // compacts the file
    int stored_version();                   // structure version stored in the open file, -1 on error
    Result verify();                           // 0 when the file is whole, 47 when damaged

    // The thread's storage handle (engine internals).
    FileHandle* handle() const { return handle_; }

private:
    friend class Cursor;
    friend class TransactionAccess;
    struct CursorState;

    int open_at(std::string program_path, std::uint8_t mode);
    int check_open();
    int check_writable();  // 5 when the open's mode only reads
    int fill();
    int step(int dir);  // one record along the key order, 1 forward or -1 back
    bool delivered_last() const;  // the current record is the cursor's last delivered, batch fresh
    int write_error(int rc, std::int64_t self_id);
    int insert_row(std::int64_t at);  // the insert of add (at 0: the next id) and add_at
    int number_and_write(bool show, bool priming);  // auto-numbering with its retries
    int settle_primed(bool remove_it);  // the primed record written over or deleted, off the list
    int duplicate_key(std::int64_t self_id);  // the unique key the buffer collides with, -1 none
public:
    // Highest value of the key's component (1-based) among the records whose earlier components
    // equal the buffer's; 0 when none, -1 on error. For auto-numbering.
    std::int64_t highest(int key, int component);
private:

    const TableDesc& desc_;
    RecordBuffer buffer_;
    FileHandle* handle_ = nullptr;
    int open_count_ = 0;
    bool create_ = true;
    bool keep_invalid_keys_ = false;
    std::int64_t released_on_open_ = 0;
    int lock_wait_ = 10;
    std::string open_name_;
    std::int64_t current_id_ = 0;
    std::int64_t primed_id_ = 0;
    std::unique_ptr<CursorState> cursor_;
    std::unique_ptr<TextLines> text_;  // the text-line driver's file
    std::unique_ptr<ShareLock> share_;  // this open's place among the file's openers
};

}  // namespace vorel::data

#include "vorel/data/open_table.h"

#include "vorel/data/error_manager.h"
#include "vorel/data/open_mode.h"

namespace vorel::data {

namespace {

std::string clip(std::string s) {
    while (!s.empty() && s.back() == ' ') s.pop_back();
    return s;
}

struct Warning {
    const char* title;
    Icon icon;
    unsigned buttons;
    const char* halt;  // ends the program with this message after the box; nullptr: returns
};

// Ends the program after a warning: through the asker, or by exception without one.
void halt(const char* message) {
    Asker* a = ErrorManager::current().asker();
    if (a)
        a->halt(message);
    else
        throw ProgramHalted(message);
}

}  // namespace

std::string warning_error_text() {
    const LastError& e = last_error();
    std::string t = e.code == kOsError ? clip(e.file_error_text) + " (" + std::to_string(e.file_error_code) + ")"
                                       : clip(e.text) + " (" + std::to_string(e.code) + ")";
    if (t.size() > 150) t.resize(150);
    return t;
}

int AvisoPadrao(int number, std::string_view text1, std::string_view) {
    const std::string E = warning_error_text();
    const std::string N = clip(std::string(text1));
    AskRequest req;
    req.icon = Icon::Exclamation;
    req.buttons = kButtonOk;
    req.default_button = kButtonOk;
    const char* halt_message = nullptr;
    switch (number) {
        case 1:
            req.title = "Invalid File";
            req.text = "Error: (" + E + ") accessing " + N + ".  Press OK to end this application.";
            halt_message = "Invalid File!";
            break;
        case 2:
            req.title = "Invalid Key";
            req.text = N + " key file is invalid.  Do you want to rebuild the key?";
            req.icon = Icon::Question;
            req.buttons = kButtonYes | kButtonNo;
            req.default_button = kButtonYes;
            break;
        case 3:
            req.title = "Key Rebuild Error";
            req.text = "Error: (" + E + ") repairing key for " + N + ".  Press OK to end this application.";
            halt_message = "Error Rebuilding Key!";
            break;
        case 4:
            req.title = "File Creation Error";
            req.text = "Error: (" + E + ") creating " + N + ".  Press OK to end this application.";
            halt_message = "File Creation Error!";
            break;
        case 5:
            req.title = "File Creation Error";
            req.text = "Error: (" + E + ") opening created file:" + N + ".  Press OK to end this application.";
            halt_message = "File Creation Error!";
            break;
        case 30:
            req.title = "File Access Error";
            req.text = "File (" + N + ") could not be opened.  Error: " + E + ".";
            break;
        case 35:
            req.title = "Record Retrieval Error";
            req.text = "Error: (" + E + ") attempting to access a record from the " + N +
                       " file.  Returning to previous window.";
            break;
        case 36:
            req.title = "View Open Error";
            req.text = "Error: (" + E + ") attempting to open the current VIEW. Filter and Range Limits ignored.";
            break;
        default: return 0;
    }
    Asker* a = ErrorManager::current().asker();
    unsigned answer = a ? a->ask(req) : safe_answer(req);
    if (number == 2) {
        if (answer == kButtonYes) return 2;
        halt("Invalid Key!");
        return 0;
    }
    if (halt_message) {
        halt(halt_message);
        return 0;
    }
    return answer == kButtonOk ? 1 : static_cast<int>(answer);
}

int AvisoPadraoComTexto(int number, std::string_view text) { return AvisoPadrao(number, text, {}); }

void AvisoPadraoSemTexto(int number) { AvisoPadrao(number, {}, {}); }

void AbreArquivo(FileManager& table, std::uint8_t create, std::uint8_t noCreate, std::uint8_t accessMode,
                 std::uint8_t shared) {
    // Shared: read and write, others may read and write (66); otherwise the access mode given.
    const std::uint8_t mode = shared ? open_mode::kShared : accessMode;
    auto file_open = [&] {
        table.set_create(false);
        int rc = table.open(mode).code();
        table.set_create(true);
        return rc;
    };
    int rc = file_open();
    if (rc == kFileLocked) {
        table.send("Recover=10");
        rc = file_open();
    }
    const std::string N = table.file_name();
    switch (rc) {
        case kNoError:
        case kAlreadyOpen: return;
        case kFileNotFound:
            if (noCreate) break;
            if (create != 1) {
                AvisoPadrao(4, N, {});
                return;
            }
            if (table.create() != kNoError) {
                AvisoPadrao(4, N, {});
                return;
            }
            if (file_open() != kNoError) AvisoPadrao(5, N, {});
            return;
        case kInvalidFile: AvisoPadrao(1, N, {}); return;
        case kKeysInvalid:
            if (AvisoPadrao(2, N, {}) != 2) return;
            if (table.rebuild_keys() != kNoError) {
                AvisoPadrao(3, N, {});
                return;
            }
            rc = file_open();
            break;
        default: break;
    }
    if (rc != kNoError && rc != kAlreadyOpen) {
        if (AvisoPadrao(30, N, {}) != 0) halt("Disk Error");
    }
}

}  // namespace vorel::data

#include "vorel/data/error.h"

#include <initializer_list>
#include <map>
#include <ostream>

#include "vorel/core/text.h"

namespace vorel::data {

namespace {

constexpr int kUnknown = -1;

// The texts as written here (UTF-8); error_text hands them out in Windows-1252, as all table text.
std::string_view source_text(int code) {
    switch (code) {
        case kNoError: return "";
        case kFileNotFound: return "Arquivo não encontrado";
        case kPathNotFound: return "Caminho não encontrado";
        case kAccessDenied: return "Acesso negado";
        case kFileLocked: return "Arquivo bloqueado por outro usuário";
        case kRecordNotAvailable: return "Registro não disponível";
        case kRecordNotFound: return "Registro não encontrado";
        case kFileNotOpen: return "Arquivo não aberto";
        case kDuplicateKey: return "Cria chave duplicada";
        case kNoRecord: return "Nenhum registro atual";
        case kKeysInvalid: return "Chaves precisam ser reconstruídas";
        case kInvalidFile: return "Arquivo inválido";
        case kAlreadyOpen: return "Arquivo já aberto";
        case kTransactionActive: return "Transação já ativa";
        case kBadValue: return "Valor inválido para o campo";
        case kTooManyFiles: return "Arquivos abertos demais";
        case kOsError: return "Erro do sistema de arquivos";
        case kNoTransaction: return "Nenhuma transação ativa";
        case kStopped: return "Operação interrompida";
        default: return "Erro desconhecido";
    }
}

}  // namespace

std::string_view error_text(int code) {
    static const std::map<int, std::string> converted = [] {
        std::map<int, std::string> m;
        for (int c : std::initializer_list<int>{kNoError, kFileNotFound, kPathNotFound, kAccessDenied, kFileLocked, kRecordNotAvailable,
                      kRecordNotFound, kFileNotOpen, kDuplicateKey, kNoRecord, kKeysInvalid, kInvalidFile,
                      kAlreadyOpen, kTransactionActive, kBadValue, kTooManyFiles, kOsError, kNoTransaction, kStopped,
                      kUnknown})
            m[c] = text::from_utf8(source_text(c));
        return m;
    }();
    auto it = converted.find(code);
    return it != converted.end() ? it->second : converted.at(kUnknown);
}

std::ostream& operator<<(std::ostream& out, Result r) {
    out << static_cast<int>(r.code());
    if (!r.ok()) out << " (" << source_text(r.code()) << ')';
    return out;
}

std::ostream& operator<<(std::ostream& out, Outcome o) { return out << "level " << o.level(); }

LastError& last_error() {
    thread_local LastError e;
    return e;
}

std::string describe(const LastError& e) {
    std::string t = e.text.empty() ? std::string(error_text(e.code)) : e.text;
    if (!e.file_error_text.empty() && e.file_error_text != e.text) t += ": " + e.file_error_text;
    if (!e.file.empty()) t += " (" + e.file + ")";
    return t;
}

int set_error(int code, std::string_view file, std::string_view detail, int file_error_code) {
    LastError& e = last_error();
    e.code = code;
    e.text = std::string(error_text(code));
    e.file = std::string(file);
    e.file_error_code = file_error_code;
    e.file_error_text = std::string(detail);
    e.key.clear();
    return code;
}

void clear_error() {
    LastError& e = last_error();
    e.code = 0;
    e.text.clear();
    e.file_error_code = 0;
    e.file_error_text.clear();
    e.file.clear();
    e.key.clear();
}

}  // namespace vorel::data

// The users table's small shared steps.
#include "users_table.h"

#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/shell/users.h"

namespace vorel::shell {

std::string Campo20Cp(std::string_view cp1252) {
    return std::string(text::clip(cp1252.substr(0, 20)));
}

data::FileManager& TabelaSenhas() { return data::dictionary::file(dictionary::Senhas()); }

dictionary::SenhasRec& RegistroSenhas() { return TabelaSenhas().rec<dictionary::SenhasRec>(); }

data::Result AdicionaUsuario(const std::string& nome, const std::string& senha, std::uint8_t adm) {
    data::FileManager& sen = TabelaSenhas();
    sen.clear_record();
    auto& r = RegistroSenhas();
    r.NOME = nome;
    r.SENHA = senha;
    r.ADM = adm;
    return sen.add();
}

data::Result GaranteSuperUsuario() {
    data::FileManager& sen = TabelaSenhas();
    std::int64_t n = sen.records();
    if (n < 0) return data::last_error().code;
    if (n > 0) return data::kNoError;
    return AdicionaUsuario(kSuperUsuario, kSuperUsuario, 1);
}

std::optional<dictionary::SenhasRec> ProcuraUsuario(const std::string& nome) {
    data::FileManager& sen = TabelaSenhas();
    sen.clear_record();
    RegistroSenhas().NOME = nome;
    if (sen.get(dictionary::keys::SEN_Key_Nome) != data::kNoError) return std::nullopt;
    return RegistroSenhas();
}

std::vector<dictionary::SenhasRec> TodosUsuarios() {
    std::vector<dictionary::SenhasRec> todos;
    data::FileManager& sen = TabelaSenhas();
    if (sen.set(dictionary::keys::SEN_Key_Nome) != data::kNoError) return todos;
    while (sen.next() == data::kNoError) todos.push_back(RegistroSenhas());
    return todos;
}

}  // namespace vorel::shell

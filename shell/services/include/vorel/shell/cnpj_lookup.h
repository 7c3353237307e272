// The CNPJ look-up of the register forms (company, suppliers and customers): the outside program
// `WebBrowser\WebBrowser.exe` under the data root fetches a registration by its CNPJ and leaves it
// in `WebBrowser\WebBrowser.ini`, section "WebBrowser" ("Buscou" 1 = found, "RazaoSocial", "UF",
// "Municipio", "Endereco", "Numero", "CEP", "Complemento", "Bairro"; Windows-1252).
//
// `ConsultaCnpj(cnpj)` runs "WebBrowser.exe 3 <cnpj>" (the CNPJ padded to 14), waits for it and reads
// the file. A program that is missing or does not start is said in a message box (the form's own
// text, then the program's path) and nothing is read; when it found the CNPJ, the user is asked
// "Deseja preencher o cadastro com os dados da Receita Federal?". The answer is the registration to
// fill the form with, only when the user said yes: the state in capitals, the city as the thread's
// Municipios register names it (looked up by state and capitalised name; blank when none, the
// table open by the form), the number's leading digits and the CEP's digits as numbers (0 when
// none).
//
//     if (auto r = shell::ConsultaCnpj(cnpj, "O programa de consulta do CNPJ não foi encontrado: ")) ...fill...
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorel::shell {

struct CadastroReceita {
    std::string razaoSocial, uf, cidade, endereco, complemento, bairro;  // Windows-1252
    long long numero = 0;
    std::uint32_t cep = 0;
};

// `avisoAusente` (UTF-8) opens the message of a missing program.
std::optional<CadastroReceita> ConsultaCnpj(std::string_view cnpj, std::string_view avisoAusente);

}  // namespace vorel::shell

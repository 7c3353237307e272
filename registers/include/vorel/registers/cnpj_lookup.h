// The CNPJ look-up: the outside program `WebBrowser\WebBrowser.exe` under the data root fetches a
// company's registration by its CNPJ and leaves it in `WebBrowser\WebBrowser.ini`, section
// "WebBrowser".
//
// `ConsultaCnpj(root, cnpj)` runs "WebBrowser.exe 3 <cnpj>", waits for it and reads the keys
// ("Buscou" 1 = found, "RazaoSocial", "UF", "Municipio", "Endereco", "Numero", "CEP",
// "Complemento", "Bairro"; texts in Windows-1252). A program that is missing or does not start is
// `programaAusente` with nothing read; one that ran but found nothing gives `buscou` false.
//
//     auto r = ConsultaCnpj(shell::PastaRaiz.Get(), "12345678000195");
//     if (r.programaAusente) ...say so...; else if (r.buscou) ...fill the form...
#pragma once

#include <string>

namespace vorel::registers {

struct DadosCnpj {
    bool programaAusente = false;
    std::string programa;  // the program path that was run
    bool buscou = false;
    std::string razaoSocial, uf, municipio, endereco, numero, cep, complemento, bairro;
};

DadosCnpj ConsultaCnpj(const std::string& root, const std::string& cnpj);

}  // namespace vorel::registers

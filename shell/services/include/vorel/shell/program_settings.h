// The settings the program keeps in its own settings files, each read and written through one
// typed accessor: the file, section and key are said here once, never at the call sites. Texts are
// Windows-1252; a write returns what went wrong (empty when written).
//
//     int casas = CasasDecimaisCalculadora();
//     if (auto ec = GravaUltimoUsuario(nome)) ...
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace vorel::shell {

// Escrita.Ini [Calculadora] CasasDecimais: the calculator's places, 0..9 (2 when missing or out of range).
int CasasDecimaisCalculadora();
[[nodiscard]] std::error_code GravaCasasDecimaisCalculadora(int casas);

// UsuVorel.ini [UltimoUsuario] Usuario: the user of the last login.
std::string UltimoUsuario();
[[nodiscard]] std::error_code GravaUltimoUsuario(std::string_view nome);

// Marvex.ini [Servidor_Vorel] NetPath: the data root on the server; `padrao` when missing.
std::string CaminhoServidor(std::string_view padrao);

// Layout.ini [Layout] QelLayout: the layout a menu item's procedure reads.
[[nodiscard]] std::error_code GravaQelLayout(long long layout);
long long QelLayout();  // 0 when missing
// Vorel.ini [ImportaSaidas] / [ImportaEntradas] Utiliza: an import's product-matching option
// (1 by code, 2 by nickname); a missing or 0 value reads 1.
long long UtilizaImportacao(std::string_view secao);
[[nodiscard]] std::error_code GravaUtilizaImportacao(std::string_view secao, long long utiliza);

// Gerar_Excel.ini [Excel] Nome_Rel and Caminho_Rel: the final sheet's export file and its folder,
// as the export window last wrote them (blanks cut when read).
struct ArquivoExcel {
    std::string nome, pasta;
};
ArquivoExcel LeArquivoExcel();
[[nodiscard]] std::error_code GravaArquivoExcel(const ArquivoExcel& a);

// Vorel.ini, key Caminho of the sections ExportaPlanMensal (the monthly sheet export's file), CFO and
// CompCFO (its CFOP filter; 0 or missing: none), as the export window last wrote them. The window
// writes the five sections in one locked step, in this order: ExportaPlanMensal, TodosProdutos
// (always 1), CFO, CompCFO and CNPJ (emptied: the same section holds the management sheet's
// supplier filter).
struct OpcoesPlanMensal {
    std::string caminho;  // Windows-1252 program path; empty when never written
    int cfo = 0;
    int compCfo = 0;
};
OpcoesPlanMensal LeOpcoesPlanMensal();
[[nodiscard]] std::error_code GravaOpcoesPlanMensal(const OpcoesPlanMensal& o);

// XML.ini [XMLSaida]: the NF-e import window's options, kept for its next opening in either
// direction (each 0 when missing): SobForCli, CriaConta, IntProdutos, IntegraICMS, IntegraIPI.
struct OpcoesXml {
    int sobForCli = 0, criaConta = 0, intProdutos = 0, integraIcms = 0, integraIpi = 0;
};
OpcoesXml LeOpcoesXml();
[[nodiscard]] std::error_code GravaOpcoesXml(const OpcoesXml& o);

// Naveli.ini: [Sistema6] UltimoAcesso, [Acesso] Internet and [Sistema6] SalvaAcesso (both 1 when missing).
[[nodiscard]] std::error_code GravaUltimoAcessoNaveli(std::string_view data);
struct AcessoNaveli {
    long long internet = 1;
    long long salvaAcesso = 1;
};
AcessoNaveli LeAcessoNaveli();
[[nodiscard]] std::error_code GravaAcessoNaveli(const AcessoNaveli& a);

// qel.ini [Parametros] TecladoPadraoBR: 0 (or missing) when the keypad's decimal key types a comma.
long long TecladoPadraoBR();
[[nodiscard]] std::error_code GravaTecladoPadraoBR(long long valor);

// Vorel.ini [Temp] CNPJ and Local: a movement form hands the CNPJ typed for a partner that may not be
// registered to the supplier register's insert form, which takes it while Local is 4.
// `EntregaCnpjAoCadastro` writes CNPJ (as typed) and Local = 4; `EncerraCnpjAoCadastro` writes
// Local = 0 when the movement form closes.
[[nodiscard]] std::error_code EntregaCnpjAoCadastro(std::string_view cnpj);
[[nodiscard]] std::error_code EncerraCnpjAoCadastro();
// What the insert form reads: `aguardando` while Local is 4 (or missing), with the CNPJ when the
// file holds one (none: the form takes the entry's own).
struct CnpjAoCadastro {
    bool aguardando = false;
    std::optional<std::string> cnpj;
};
CnpjAoCadastro LeCnpjAoCadastro();

}  // namespace vorel::shell

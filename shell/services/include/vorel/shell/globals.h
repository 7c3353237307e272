// The shell's process-wide values: the data root and its folders, the day the program started, the
// logged-in user, the version text, the printing mode, the wallpaper flag, the office parameters
// and the working company and period shown on the main frame's toolbar.
//
// Each is a `Guarded` value (vorel/ui/guarded.h), defined once in src/globals.cpp and read and
// written under its own lock from any procedure thread. Texts are Windows-1252, as every text the
// program keeps; folder paths are program paths (backslashes) and the folders end with a backslash.
// `RegisterShellGlobals` names them in the `GlobalRegistry` ("PastaRaiz", "GLO:LOGIN", ...) so
// tools can print and set them. Add a new shell-wide value here and in src/globals.cpp only.
//
//     std::string root = vorel::shell::PastaRaiz.Get();
//     vorel::shell::GLO_EMPRESA_CODIGO.Set(15);
#pragma once

#include <cstdint>
#include <string>

#include "vorel/core/date.h"
#include "vorel/ui/guarded.h"

namespace vorel::shell {

template <class T>
using Global = vorel::ui::Guarded<T>;

// Folders, set by the start-up.
extern Global<std::string> PastaRaiz;      // the data root, ending in a backslash
extern Global<std::string> PastaTemp;      // PastaRaiz & "Temp\"
extern Global<std::string> PastaPrograma;  // where the program and its outside programs lie

// Set by the main frame.
extern Global<date::Day> DataHoje;               // the day the program started
extern Global<std::uint8_t> ModoImpressao;       // printing mode: 1 screen/Windows, 0 ink/laser, else dot-matrix
extern Global<std::uint8_t> GLO_CODIMPRESSORA;   // the chosen text printer
extern Global<std::string> GLO_PAPELPAREDE;      // not blank: no wallpaper
extern Global<bool> TecladoDecimalVirgula;       // the keypad's decimal key types a comma

// Set by the login.
extern Global<std::string> GLO_LOGIN;     // the user who logged in (up to 20 characters)
extern Global<std::string> GLO_PASSWORD;  // the password typed at login (up to 20 characters)
extern Global<std::string> GLO_VERSAO;    // "Versão: 1.00d 077"
extern Global<std::string> CorFoco;       // the focus-highlight colour as decimal digits

// The office parameters (section "Parametros" of BComuns\Vorel.ini).
struct ParametrosEscritorio {
    std::string PARNOME, PARRESPONSAVEL, PARENDERECO;
    std::int16_t PARNUMERO = 0;
    std::string PARBAIRRO, PARCOMPLEMENTO, PARCIDADE, PARUF;
    std::uint32_t PARCEP = 0;
    std::int16_t PARDDD = 0;
    std::uint32_t PARTELEFONE = 0, PARFAX = 0;
    std::string PAREMAIL, PARWEB;
    std::uint8_t PARTIPINS = 0;
    std::string PARCGC, PARCPF, PARINSEST;
    std::uint8_t PARIMPDATA = 1, PARIMPESCR = 1;
};
extern Global<ParametrosEscritorio> GLO_PARAMETROS;
extern Global<std::uint8_t> GLO_USAALIQPRODUTO;

// The working company and period (chosen by the selection windows; shown on the frame's toolbar).
extern Global<std::uint32_t> GLO_EMPRESA_CODIGO;
extern Global<std::string> GLO_EMPRESA_RAZAO;
extern Global<int> GLO_ANO;
extern Global<int> GLO_MES;

// The chosen dot-matrix printer's control strings and settings (filled by CarregaCodigosImpressora,
// printer_codes.h). Text reports take a copy when they start.
struct CodigosImpressoraRec {
    std::string LSUB, DSUB, CPI10, CPI17, CPI20, LEXP, DEXP, LNEG, DNEG;  // bytes to send
    std::string PORTA;         // IMP:PORTA without trailing blanks
    int NLINHAS = 0;           // lines per page
    std::uint8_t ACENTOS = 0;  // 1: the printer prints accents by overstriking
    bool operator==(const CodigosImpressoraRec&) const = default;
};
extern Global<CodigosImpressoraRec> CodigosImpressora;

// The e-mail fields that a report's option window fills (Windows-1252). A report copies them when
// it starts (CapturaCamposEmail, report_step.h) and uses only its copy.
extern Global<std::uint8_t> GLO_EMAIL_ENVIAR;  // 1: e-mail the report
extern Global<std::string> GLO_EMAIL_NOME;     // 40 characters
extern Global<std::string> GLO_EMAIL_EMAIL;    // 100
extern Global<std::string> GLO_EMAIL_ASSUNTO;  // 50
extern Global<std::string> GLO_EMAIL_TEXTO;    // 255

// Set when the company window closes: the working company's EMP:CGC and EMP:TIPOFORNECEDOR
// (2 = the company keeps its own suppliers and customers).
extern Global<std::string> CNPJEmpresa;
extern Global<std::uint8_t> TipoFornecedorEmpresa;
// Set when the period window closes: the working month's first and last day.
extern Global<date::Day> InicioPeriodo;
extern Global<date::Day> FimPeriodo;
// The working company's and year's folders (program paths, no closing backslash), set with the
// per-company and per-year table names (working_context.h).
extern Global<std::string> PastaEmpresa;
extern Global<std::string> PastaEmpresaVorel;
extern Global<std::string> PastaEscrita;
extern Global<std::string> PastaAno;

// Names every value above in the GlobalRegistry; runs once however often it is called.
void RegisterShellGlobals();

}  // namespace vorel::shell

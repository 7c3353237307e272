// Dot-matrix printers: the control strings of the chosen printer, the printing mode, and where a
// text report goes when it is printed.
//
// A printer record (`Impressora`, prefix IMP) keeps its control codes as lists of decimal character
// codes ("27,45,1"); `ConverteCodigos` turns one list into the bytes to send. `CarregaCodigosImpressora`
// fills the process-wide `CodigosImpressora` (shell globals) from the printer whose code is
// `GLO:CODIMPRESSORA`; text reports take a copy of it when they start, so a change of printer while
// a report runs never mixes two printers in one file.
//
//   std::string bold = ConverteCodigos("27,71");            // "\x1B" "G"
//   CodigosImpressoraRec c = CodigosDe(rec);               // from a record read elsewhere
//   if (FormaDoRelatorio(ModoImpressao.Get()) == FormaRelatorio::Texto) ... text report ...
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "vorel/report/print_file.h"
#include "vorel/shell/globals.h"

namespace vorel::dictionary {
struct ImpressoraRec;
}

namespace vorel::shell {

// The printing modes (`ModoImpressao`).
inline constexpr std::uint8_t kModoJatoTinta = 0;  // "Impressora Jato Tinta": page reports
inline constexpr std::uint8_t kModoWindows = 1;    // "Impressão Windows": page reports
inline constexpr std::uint8_t kModoDos = 2;        // "Impressão DOS": text reports

enum class FormaRelatorio { Pagina, Texto };
// Mode 2 makes text reports for the dot-matrix printer; every other mode makes page reports.
FormaRelatorio FormaDoRelatorio(std::uint8_t modo);

// The characters whose decimal codes the text lists, separated by commas; each code is taken
// modulo 256, an element that is not a number counts as 0. The whole text is read (a field of 20
// characters holds up to five codes). A blank (code 32) is dropped: the printer's strings are
// used without trailing blanks, so one would be lost anyway. A blank text gives the single
// character of code 0.
std::string ConverteCodigos(std::string_view codigos);

CodigosImpressoraRec CodigosDe(const dictionary::ImpressoraRec& impressora);

// The printer of that code from the table `Impressora` (opened and closed again on this thread);
// nullopt when there is none or the table cannot be read.
std::optional<dictionary::ImpressoraRec> LeImpressora(std::uint8_t codigo);

// Fills `CodigosImpressora` from the printer `GLO:CODIMPRESSORA`; no such printer leaves empty
// strings, 0 lines and no accents. Returns the codes it stored.
CodigosImpressoraRec CarregaCodigosImpressora();

// The default codes of a new printer (also the form's "Restaurar Conf. Iniciais"): the twelve
// control-code fields; the line count is left as it is.
void CodigosPadrao(dictionary::ImpressoraRec& impressora);

// Where a file goes when printed on the port `porta`: a name with a folder separator ("/dev/usb/lp0",
// "\\MICRO01\EPSON") is a device or file that receives the bytes; a plain name is a print queue;
// a blank port is the default queue.
report::PrintTarget DestinoDaPorta(std::string_view porta);

}  // namespace vorel::shell

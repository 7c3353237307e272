// CarregaTextosVisualizador: the previewer's texts from section "DISPLAY STRINGS 2.0".
#include "vorel/core/settings_file.h"
#include "vorel/core/text.h"
#include "vorel/shell/report_step.h"

namespace vorel::shell {

TextosVisualizador CarregaTextosVisualizador(std::string_view ini, std::string_view textoUsuario,
                                             std::string_view tituloPergunta, std::string_view textoPergunta) {
    std::string_view nome = text::clip(ini);
    settings::SettingsFile arquivo(nome.empty() ? std::string_view("WIN.INI") : nome);
    const std::string secao = "DISPLAY STRINGS 2.0";
    auto le = [&](std::string& destino, std::string_view chave, std::string_view padrao, std::size_t tamanho) {
        destino = arquivo.read_text(secao, chave, padrao);
        if (destino.size() > tamanho) destino.resize(tamanho);
    };
    TextosVisualizador t;
    le(t.ProgWinTitlePrvw, "ProgWinTitlePrvw", "Generating Report", 63);
    le(t.ProgWinTitlePrnt, "ProgWinTitlePrnt", "Printing Report", 63);
    le(t.ProgWinPctText, "ProgWinPctText", "% Completed", 63);
    le(t.ProgWinRecText, "ProgWinRecText", "Records Read", 63);
    le(t.ProgWinUsrText, "ProgWinUsrText", textoUsuario, 63);
    le(t.PrinterDlgTitle, "PrinterDlgTitle", "Report Destination", 63);
    le(t.AskPrvwDialogTitle, "AskPrvwDialogTitle", tituloPergunta, 63);
    le(t.AskPrvwDialogText, "AskPrvwDialogText", textoPergunta, 63);
    le(t.CancelAreYouSureTitle, "CancelAreYouSureTitle", "Question", 63);
    le(t.CancelAreYouSureText, "CancelAreYouSureText", "Are you sure you want to CANCEL this Report?", 63);
    le(t.CancelPrvwPartialTitle, "CancelPrvwPartialTitle", "Question", 63);
    le(t.CancelPrvwPartialText, "CancelPrvwPartialText", "Report Cancellation Requested!||Preview Report generated so far?",
       127);
    le(t.NoDfltPrtrTitle, "NoDfltPrtrTitle", "WARNING!", 63);
    le(t.NoDfltPrtrText, "NoDfltPrtrText",
       "Warning:  No DEFAULT Printer Driver Found!||Printing may not occur correctly (or at all)|without a Default "
       "printer assigned.||Use CONTROL PANEL (PRINTERS) to set a|printer as your Default.||Continue with report anyway?",
       254);
    le(t.NothingToPrvwTitle, "NothingToPrvwTitle", "NOTE...", 63);
    le(t.NothingToPrvwText, "NothingToPrvwText", "Nothing to Preview.", 63);
    le(t.NothingToPrntTitle, "NothingToPrntTitle", "NOTE...", 63);
    le(t.NothingToPrntText, "NothingToPrntText", "Nothing to Print.", 63);
    le(t.AsciiOutTitle, "AsciiOutTitle", "Save to what Filename?", 63);
    le(t.AsciiOutMasks, "AsciiOutMasks", "Text|*.TXT|All Files|*.*", 63);
    le(t.DynLblErrTitle, "DynLblErrTitle", "Problem!", 63);
    le(t.DynLblErrText1, "DynLblErrText1", "Sorry!||", 63);
    le(t.DynLblErrText2, "DynLblErrText2", "||Does not support paper type:", 63);
    le(t.ButtonYesNoCancel, "ButtonYesNoCancel", "&Yes|&No|&Cancel", 63);
    le(t.ButtonYesNo, "ButtonYesNo", "&Yes|&No", 63);
    le(t.ButtonYes, "ButtonYes", "&Yes", 63);
    le(t.ButtonYesNoIgnore, "ButtonYesNoIgnore", "&Yes|&No|&Ignore", 63);
    le(t.ButtonOk, "ButtonOk", "&Ok", 63);
    return t;
}

}  // namespace vorel::shell

// Printer control codes, the printing mode's report form, and the chosen printer's codes.
#include "vorel/shell/printer_codes.h"

#include <optional>

#include "vorel/core/text.h"
#include "vorel/data/dictionary.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/shell/globals.h"

namespace vorel::shell {

FormaRelatorio FormaDoRelatorio(std::uint8_t modo) {
    return modo == kModoDos ? FormaRelatorio::Texto : FormaRelatorio::Pagina;
}

namespace {

// The leading whole number of an element (blanks around it ignored), as the runtime converts text
// to a number: "27" 27, " 45 " 45, "" 0, "x" 0.
long long NumeroDoElemento(std::string_view e) {
    e = text::trim(e);
    long long n = 0;
    bool negativo = !e.empty() && e.front() == '-';
    std::size_t i = negativo ? 1 : 0;
    for (; i < e.size() && e[i] >= '0' && e[i] <= '9'; ++i) n = (n * 10 + (e[i] - '0')) % 256;
    return negativo ? -n : n;
}

}  // namespace

std::string ConverteCodigos(std::string_view codigos) {
    std::string_view resto = text::clip(codigos);
    std::string resultado;
    for (;;) {
        std::size_t virgula = resto.find(',');
        std::string_view elemento = resto.substr(0, virgula);
        long long n = NumeroDoElemento(elemento) % 256;
        if (n < 0) n += 256;
        // The result is kept without trailing blanks, so a blank (code 32) never stays in it.
        if (n != ' ') resultado.push_back(static_cast<char>(static_cast<unsigned char>(n)));
        if (virgula == std::string_view::npos) break;
        resto.remove_prefix(virgula + 1);
    }
    return resultado;
}

CodigosImpressoraRec CodigosDe(const dictionary::ImpressoraRec& r) {
    CodigosImpressoraRec c;
    c.LSUB = ConverteCodigos(r.LSUB.value());
    c.DSUB = ConverteCodigos(r.DSUB.value());
    c.CPI10 = ConverteCodigos(r.CPI10.value());
    c.CPI17 = ConverteCodigos(r.CPI17.value());
    c.CPI20 = ConverteCodigos(r.CPI20.value());
    c.LEXP = ConverteCodigos(r.LEXP.value());
    c.DEXP = ConverteCodigos(r.DEXP.value());
    c.LNEG = ConverteCodigos(r.LNEG.value());
    c.DNEG = ConverteCodigos(r.DNEG.value());
    c.PORTA = std::string(text::clip(r.PORTA.value()));
    c.NLINHAS = r.NLINHAS;
    c.ACENTOS = r.ACENTOS;
    return c;
}

std::optional<dictionary::ImpressoraRec> LeImpressora(std::uint8_t codigo) {
    const data::TableDesc& desc = dictionary::Impressora();
    std::optional<data::FileManager> proprio;
    data::FileManager* imp = data::dictionary::find(desc);
    if (!imp) imp = &proprio.emplace(desc);
    if (!imp->open().ok()) return std::nullopt;
    auto& rec = imp->rec<dictionary::ImpressoraRec>();
    imp->clear_record();
    rec.CODIGO = codigo;
    std::optional<dictionary::ImpressoraRec> achada;
    if (imp->get(dictionary::keys::IMP_KEY_CODIGO).ok()) achada = rec;
    (void)imp->close();
    return achada;
}

CodigosImpressoraRec CarregaCodigosImpressora() {
    CodigosImpressoraRec c;
    if (auto imp = LeImpressora(GLO_CODIMPRESSORA.Get())) c = CodigosDe(*imp);
    CodigosImpressora.Set(c);
    return c;
}

void CodigosPadrao(dictionary::ImpressoraRec& r) {
    r.CPI10 = "27,80,18";
    r.CPI17 = "27,80,15";
    r.CPI20 = "27,77,15";
    r.ESP1_8POL = "27,48";
    r.ESP7_72POL = "27,49";
    r.ESP1_6POL = "27,50";
    r.LNEG = "27,71";
    r.DNEG = "27,72";
    r.LEXP = "27,87,1";
    r.DEXP = "27,87,0";
    r.LSUB = "27,45,1";
    r.DSUB = "27,45,0";
}

report::PrintTarget DestinoDaPorta(std::string_view porta) {
    std::string_view p = text::trim(porta);
    report::PrintTarget t;
    t.kind = p.find_first_of("/\\") != std::string_view::npos ? report::PrintTarget::Kind::Device
                                                                : report::PrintTarget::Kind::Queue;
    t.name = std::string(p);
    return t;
}

}  // namespace vorel::shell

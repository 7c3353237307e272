// The cash-register reports' shared pieces (pdv.h).
#include "pdv.h"

#include "vorel/core/picture.h"
#include "vorel/data/error_manager.h"
#include "vorel/data/open_table.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/dictionary/text_dates.h"
#include "vorel/shell/globals.h"
#include "vorel/shell/other_year.h"
#include "vorel/shell/report_step.h"
#include "vorel/shell/text_report.h"
#include "vorel/ui/runtime.h"

namespace vorel::listings::pdv {

Periodo Periodo::DoMes(const shell::EmpresaPeriodo& p) {
    const int ano = p.ano, mes = p.mes;
    if (!date::valid(ano, mes, 1)) return {0, 0, p.empresa};
    return {date::make(ano, mes, 1), date::make(ano, mes, date::days_in_month(ano, mes)), p.empresa};
}

bool Periodo::Contem(std::string_view dataTexto) const {
    const date::Day d = dictionary::DiaDoTexto(dataTexto);
    return d > 0 && d >= inicial && d <= final;
}

std::string Data(std::string_view dataTexto) { return picture::format("@D06b", dictionary::DiaDoTexto(dataTexto)); }

Maquinas::Maquinas(const shell::EmpresaPeriodo& periodo) : fm_(dictionary::ICMSEletronica()) {
    (void)shell::AbreNoAno(fm_, periodo);  // not open: every machine reads blank
}

Maquinas::~Maquinas() {
    if (fm_.is_open()) (void)fm_.close();
}

Maquinas::Maquina Maquinas::Le(std::int16_t codigo) {
    if (!fm_.is_open()) return {};
    auto& m = fm_.rec<dictionary::ICMSEletronicaRec>();
    fm_.clear_record();
    m.Codigo = codigo;
    if (!fm_.get(dictionary::keys::ICM_KEY_NUMERO).ok()) return {};
    return {std::string(m.Nome.value()), std::string(m.CumpomFiscal.value())};
}

report::ReportSetup Pagina(double cabecalho, double detalhe, const char* nome) {
    return estilo::PaginaA4(10, cabecalho, detalhe, 270, nome);
}

report::Band Rodape(const std::string& rodape) {
    return {estilo::Mm(6), [rodape](report::BandPainter& p) {
                p.line(0, 0, estilo::Mm(kLargura), 0);
                p.text(estilo::Caixa(1, 0.5, kLargura - 2, 4), rodape, estilo::Fonte(8));
            }};
}

void Bordas(report::BandPainter& p, report::Mils altura) {
    p.line(0, 0, 0, altura);
    p.line(estilo::Mm(kLargura), 0, estilo::Mm(kLargura), altura);
}


RelatorioTabela::RelatorioTabela(const Modelo& m, const shell::EmpresaPeriodo& periodo)
    : m_(m), periodo_(Periodo::DoMes(periodo)), relatorio_(Pagina(m.cabecalho, m.detalhe, m.nome)),
      leitura_(m.tabela(), m.nomeTabela, periodo), consultas_(periodo) {
    empresa_ = estilo::LeEmpresa(periodo_.empresa);
    rodape_ = shell::RodapeRelatorio();
    relatorio_.set_page_header({estilo::Mm(m.alturaCabecalho), [this](report::BandPainter& p) {
                                    Bordas(p, estilo::Mm(m_.alturaCabecalho));
                                    m_.pintaCabecalho(p, empresa_);
                                }});
    relatorio_.set_page_footer(Rodape(rodape_));
}

report::RecordLoop RelatorioTabela::Laco() {
    (void)leitura_.Abre(m_.chave);
    leitura_.Filtro([this] { return periodo_.Contem(m_.data(leitura_.tabela())); });
    return estilo::LacoListagem(leitura_, [this] { return m_.detalheDe(leitura_.tabela(), consultas_); },
                                estilo::BandaFecho(kLargura, m_.alturaFecho, rodape_));
}

report::Document RelatorioTabela::Documento() { return report::run_report(relatorio_, Laco()).document; }

void RelatorioTabela::Executa(ui::ProcContext& ctx) {
    data::ProcedureScope procedimento(m_.nome);
    ctx.response = estilo::ExecutaComEmail(ctx, relatorio_, Laco(), m_.nome, m_.anexo);
}

}  // namespace vorel::listings::pdv

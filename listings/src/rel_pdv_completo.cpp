// Report "RelPDVCompleto" ("Relatório de Lançamentos Mestres/Analíticos/Sintéticos"): under each of
// the month's master records (`LancICMSEletronico`, date, machine and closing) its analytic records
// (`AnaliticoICMS`) and its daily product records (`MovMaqRegistradora`) of the same date, machine
// and closing, and "Soma", the sum of those daily bases: the tables of the month's year, at their
// files. Machines from the company's `ICMSEletronica`, products from its `Produtos`, the company
// from `Empresa`. A4 portrait; e-mailed as
// "LancamentosMestreAnaliticoDiario.zip".
#include "pdv.h"
#include "vorel/core/picture.h"
#include "vorel/data/error_manager.h"
#include "vorel/data/open_table.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/listings/cupons.h"
#include "vorel/shell/other_year.h"
#include "vorel/shell/text_report.h"
#include "vorel/ui/runtime.h"

namespace vorel::listings {

namespace {

using estilo::Caixa;
using estilo::Mm;
using estilo::Times;
using estilo::W;
using report::Align;
using report::BandPainter;

constexpr const char* kNome = "RelPDVCompleto";

// A table of the period's year opened for the run's scans at its file (closed at the end when the
// run opened it).
class Tabela {
public:
    Tabela(const data::TableDesc& t, const shell::EmpresaPeriodo& periodo) : fm_(t) {
        (void)shell::AbreNoAno(fm_, periodo);  // not open: the scans print nothing under the master
    }
    ~Tabela() {
        if (fm_.is_open()) (void)fm_.close();
    }
    data::FileManager& operator*() { return fm_; }
    data::FileManager* operator->() { return &fm_; }

private:
    data::FileManager fm_;
};

class RelatorioCompleto {
public:
    explicit RelatorioCompleto(const shell::EmpresaPeriodo& periodo)
        : periodo_(pdv::Periodo::DoMes(periodo)), relatorio_(pdv::Pagina(5, 42, kNome)),
          mestres_(dictionary::LancICMSEletronico(), "LancICMSEletronico", periodo),
          analiticos_(dictionary::AnaliticoICMS(), periodo), diarios_(dictionary::MovMaqRegistradora(), periodo),
          maquinas_(periodo), produtos_(periodo) {
        empresa_ = estilo::LeEmpresa(periodo_.empresa);
        rodape_ = shell::RodapeRelatorio();
        relatorio_.set_page_header({Mm(37), [this](BandPainter& p) { Cabecalho(p); }});
        relatorio_.set_page_footer(pdv::Rodape(rodape_));
    }
    report::ReportController& relatorio() { return relatorio_; }

    report::RecordLoop Laco() {
        report::RecordLoop loop;
        if (mestres_.Abre(dictionary::keys::LAN_KEY_CODIGO)) loop.total = mestres_.Total();
        mestres_.Filtro([this] { return periodo_.Contem(mestres_.rec<dictionary::LancICMSEletronicoRec>().DataEmissao.value()); });
        loop.next = [this] { return mestres_.Proximo(); };
        loop.on_record = [this](report::ReportController& r) { Mestre(r, mestres_.rec<dictionary::LancICMSEletronicoRec>()); };
        loop.on_end = [this](report::ReportController& r) {
            if (impressos_) r.print(estilo::BandaFecho(pdv::kLargura, 3, rodape_));
        };
        return loop;
    }

private:
    // The master line, its analytic lines, its daily lines and their sum: the scans read only the
    // records of the master's date, machine and closing.
    void Mestre(report::ReportController& r, const dictionary::LancICMSEletronicoRec& l) {
        impressos_ = true;
        r.print(BandaMestre(l, maquinas_.Le(l.Codigo).nome));
        if (analiticos_->is_open()) {
            auto& a = analiticos_->rec<dictionary::AnaliticoICMSRec>();
            analiticos_->clear_record();
            a.DataEmissao = l.DataEmissao.value();
            a.Codigo = l.Codigo;
            a.Fechamento = l.Fechamento;
            if (analiticos_->set_within(dictionary::keys::ANA_KEY_ALICOTA, 3, 3).ok())
                while (analiticos_->next().ok()) r.print(BandaAnalitico(a));
        }
        Decimal soma;
        if (diarios_->is_open()) {
            auto& d = diarios_->rec<dictionary::MovMaqRegistradoraRec>();
            diarios_->clear_record();
            d.DataEmissao = l.DataEmissao.value();
            d.Codigo = l.Codigo;
            d.Fechamento = l.Fechamento;
            if (diarios_->set_within(dictionary::keys::MMR_KEY_CODIGO, 3, 3).ok())
                while (diarios_->next().ok()) {
                    r.print(BandaDiario(d, produtos_.Descricao(d.CodMercadoria)));
                    soma += d.BaseCalculo.value();
                }
        }
        r.print(BandaSoma(soma));
    }

    void Cabecalho(BandPainter& p) const {
        pdv::Bordas(p, Mm(37));
        p.line(0, 0, Mm(pdv::kLargura), 0);
        p.text(Caixa(21, 1, 165, 7), W("Relatório de Lançamentos Mestres/Analíticos/Sintéticos"), Times(18, true));
        estilo::LinhaEmpresa(p, 8, {3, 19, 90, 102}, empresa_);
        for (double y : {13.0, 23.0, 30.0, 37.0}) p.line(0, Mm(y), Mm(pdv::kLargura), Mm(y));
        const report::Font f = Times(10, true);
        p.text(Caixa(2, 13.2, 20, 3), "Mestre", f);
        p.text(Caixa(2, 16, 17, 3), "Data", f);
        p.text(Caixa(20, 16, 62, 3), W("Código e Nome da Máq. Registradora"), f);
        p.text(Caixa(83, 16, 25, 3), "Cupom Inicial", f);
        p.text(Caixa(109, 16, 30, 3), "Cupom Final", f);
        p.text(Caixa(142, 16, 27, 3), "GT Inicial", f);
        p.text(Caixa(170, 16, 17, 3), "GT Final", f);
        p.text(Caixa(20, 19, 34, 3), "Fechamento", f);
        p.text(Caixa(55, 19, 30, 3), W("Cont. Redução"), f);
        p.text(Caixa(14, 23.2, 30, 3), W("Analítico"), f);
        p.text(Caixa(14, 26, 27, 3), "Data", f);
        p.text(Caixa(42, 26, 20, 3), W("Alíquota"), f);
        p.text(Caixa(63, 26, 30, 3), "Totalizador", f);
        p.text(Caixa(28, 30.2, 30, 3), W("Diário"), f);
        p.text(Caixa(28, 33, 20, 3), "Data", f);
        p.text(Caixa(49, 33, 90, 3), W("Código e Descrição do Produto"), f);
        p.text(Caixa(140, 33, 20, 3), "Quantidade", f);
        p.text(Caixa(160, 33, 27, 3), W("Base de Cálculo"), f);
    }

    static report::Band BandaMestre(const dictionary::LancICMSEletronicoRec& l, const std::string& maquina) {
        return {Mm(8), [data = pdv::Data(l.DataEmissao.value()), codigo = std::string(text::trim(picture::format("@n-4", l.Codigo))),
                        nome = picture::format("@s30", maquina), inicial = picture::format("@n-14", l.InicialCupom),
                        final = picture::format("@n-14", l.FinalCupom), gtInicio = picture::format("@n-22`2", l.GTInicio.value()),
                        gtFinal = picture::format("@n-22`2", l.GTFinal.value()),
                        fechamento = std::string(text::trim(picture::format("@n3", l.Fechamento))),
                        reducao = picture::format("@n-14", l.ContReducao)](BandPainter& b) {
                    pdv::Bordas(b, Mm(8));
                    const report::Font f = Times(10);
                    b.text(Caixa(2, 0, 17, 4), data, f);
                    b.text(Caixa(20, 0, 8, 4), codigo, f);
                    b.text(Caixa(29, 0, 48, 4), nome, f);
                    b.text(Caixa(80, 0, 22, 4), inicial, f, Align::Right);
                    b.text(Caixa(104, 0, 22, 4), final, f, Align::Right);
                    b.text(Caixa(124, 0, 27, 4), gtInicio, f, Align::Right);
                    b.text(Caixa(152, 0, 35, 4), gtFinal, f, Align::Right);
                    b.text(Caixa(20, 4, 10, 4), fechamento, f);
                    b.text(Caixa(54, 4, 25, 4), reducao, f, Align::Right);
                }};
    }

    static report::Band BandaAnalitico(const dictionary::AnaliticoICMSRec& a) {
        return {Mm(4), [data = pdv::Data(a.DataEmissao.value()), aliquota = picture::format("@s4", a.Aliquota.value()),
                        total = picture::format("@n-17`2", a.Totalizador.value())](BandPainter& b) {
                    pdv::Bordas(b, Mm(4));
                    const report::Font f = Times(10);
                    b.text(Caixa(14, 0, 27, 4), data, f);
                    b.text(Caixa(42, 0, 12, 4), aliquota, f);
                    b.text(Caixa(56, 0, 30, 4), total, f, Align::Right);
                }};
    }

    static report::Band BandaDiario(const dictionary::MovMaqRegistradoraRec& d, const std::string& produto) {
        return {Mm(4), [data = pdv::Data(d.DataEmissao.value()),
                        mercadoria = std::string(text::trim(picture::format("@n13", d.CodMercadoria.value()))),
                        descricao = picture::format("@s100", produto), quantidade = picture::format("@n-18`3", d.Quantidade.value()),
                        base = picture::format("@n-18`2", d.BaseCalculo.value())](BandPainter& b) {
                    pdv::Bordas(b, Mm(4));
                    const report::Font f = Times(10);
                    b.text(Caixa(28, 0, 20, 4), data, f);
                    b.text(Caixa(49, 0, 22, 4), mercadoria, f);
                    b.text(Caixa(72, 0, 56, 4), descricao, f);
                    b.text(Caixa(130, 0, 26, 4), quantidade, f, Align::Right);
                    b.text(Caixa(158, 0, 29, 4), base, f, Align::Right);
                }};
    }

    static report::Band BandaSoma(const Decimal& soma) {
        return {Mm(4), [valor = picture::format("@n-18`2", soma)](BandPainter& b) {
                    pdv::Bordas(b, Mm(4));
                    b.text(Caixa(140, 0, 13, 4), "Soma", estilo::Fonte(12, true));
                    b.text(Caixa(153, 0, 34, 4), valor, Times(10), Align::Right);
                }};
    }

    pdv::Periodo periodo_;
    report::ReportController relatorio_;
    estilo::Leitura mestres_;
    Tabela analiticos_, diarios_;
    pdv::Maquinas maquinas_;
    fiscal::ConsultaProdutos produtos_;
    estilo::Empresa empresa_;
    std::string rodape_;
    bool impressos_ = false;
};

}  // namespace

report::Document DocumentoPDVCompleto(const shell::EmpresaPeriodo& periodo) {
    RelatorioCompleto r(periodo);
    return report::run_report(r.relatorio(), r.Laco()).document;
}

void RelPDVCompleto(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo) {
    data::ProcedureScope procedimento(kNome);
    RelatorioCompleto r(periodo);
    ctx.response = estilo::ExecutaComEmail(ctx, r.relatorio(), r.Laco(), kNome, "LancamentosMestreAnaliticoDiario.zip");
}

}  // namespace vorel::listings

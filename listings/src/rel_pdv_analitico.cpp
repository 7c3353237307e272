// Report "RelPDVAnalitico" ("Relatório de Lançamentos Analíticos"): the working month's analytic
// records of `AnaliticoICMS` in key order (date, machine, closing, tax situation), one line each,
// the machine's name from `ICMSEletronica`, the working company (`Empresa`) in the header. A4
// portrait; e-mailed as "LancamentosAnaliticos.zip".
#include "pdv.h"
#include "vorel/core/picture.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/listings/cupons.h"

namespace vorel::listings {

namespace {

using estilo::Caixa;
using estilo::Mm;
using estilo::Times;
using estilo::W;
using report::Align;
using report::BandPainter;

void Cabecalho(BandPainter& p, const estilo::Empresa& empresa) {
    p.text(Caixa(58, 1.5, 128, 7), W("Relatório de Lançamentos Analíticos"), Times(18));
    estilo::LinhaEmpresa(p, 9, {3, 19, 83, 94, "CNPJ:"}, empresa);
    for (double y : {1.0, 14.0, 20.0}) p.line(0, Mm(y), Mm(pdv::kLargura), Mm(y));
    const report::Font f = Times(10, true);
    p.text(Caixa(3, 15, 30, 4), "Data", f);
    p.text(Caixa(35, 15, 70, 4), W("Código e Nome da Máq. Registradora"), f);
    p.text(Caixa(108, 15, 45, 4), W("Situação Tributária"), f);
    p.text(Caixa(157, 15, 30, 4), "Totalizador", f);
}

report::Band Detalhe(data::FileManager& tabela, pdv::Consultas& consultas) {
    const auto& a = tabela.rec<dictionary::AnaliticoICMSRec>();
    return {Mm(4), [data = pdv::Data(a.DataEmissao.value()), codigo = picture::format("@n-4", a.Codigo),
                    nome = picture::format("@s30", consultas.maquinas.Le(a.Codigo).nome),
                    situacao = picture::format("@s4", a.Aliquota.value()),
                    total = picture::format("@n-17`2", a.Totalizador.value())](BandPainter& b) {
                pdv::Bordas(b, Mm(4));
                const report::Font f = Times(10);
                b.text(Caixa(3, 0, 25, 4), data, f);
                b.text(Caixa(35, 0, 8, 4), codigo, f, Align::Right);
                b.text(Caixa(44, 0, 60, 4), nome, f);
                b.text(Caixa(108, 0, 12, 4), situacao, f, Align::Right);
                b.text(Caixa(151, 0, 35, 4), total, f, Align::Right);
            }};
}

const pdv::Modelo kAnalitico = {
    "RelPDVAnalitico", "LancamentosAnaliticos.zip", dictionary::AnaliticoICMS, "AnaliticoICMS",
    dictionary::keys::ANA_KEY_ALICOTA, 13, 21, 34, 4,
    [](data::FileManager& t) { return t.rec<dictionary::AnaliticoICMSRec>().DataEmissao.value(); },
    Cabecalho, Detalhe};

}  // namespace

report::Document DocumentoPDVAnalitico(const shell::EmpresaPeriodo& periodo) {
    return pdv::RelatorioTabela(kAnalitico, periodo).Documento();
}

void RelPDVAnalitico(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo) {
    pdv::RelatorioTabela(kAnalitico, periodo).Executa(ctx);
}

}  // namespace vorel::listings

// Report "RelPDVDiario" ("Relatório de Lançamentos Diários"): the working month's daily product
// records of `MovMaqRegistradora` in key order (date, machine, closing, tax situation, product), one
// line each, the machine's name from `ICMSEletronica` and the product's description from `Produtos`
// (a missing one prints blank), the working company (`Empresa`) in the header. A4 portrait; e-mailed
// as "LancamentosDiarios.zip".
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
    p.text(Caixa(55, 1.5, 130, 7), W("Relatório de Lançamentos Diários"), Times(18));
    estilo::LinhaEmpresa(p, 9, {2, 20, 91, 103}, empresa);
    for (double y : {1.0, 14.0, 19.0}) p.line(0, Mm(y), Mm(pdv::kLargura), Mm(y));
    const report::Font f = Times(10, true);
    p.text(Caixa(2, 14.5, 17, 4), "Data", f);
    p.text(Caixa(20, 14.5, 62, 4), W("Código e Nome da Maq. Registradora"), f);
    p.text(Caixa(83, 14.5, 55, 4), W("Código e Descrição do Produto"), f);
    p.text(Caixa(139, 14.5, 21, 4), "Quantidade", f);
    p.text(Caixa(161, 14.5, 26, 4), W("Base de Cálculo"), f);
}

report::Band Detalhe(data::FileManager& tabela, pdv::Consultas& consultas) {
    const auto& d = tabela.rec<dictionary::MovMaqRegistradoraRec>();
    return {Mm(4), [data = pdv::Data(d.DataEmissao.value()), codigo = std::string(text::trim(picture::format("@n-7", d.Codigo))),
                    nome = picture::format("@s30", consultas.maquinas.Le(d.Codigo).nome),
                    mercadoria = std::string(text::trim(picture::format("@n13", d.CodMercadoria.value()))),
                    descricao = picture::format("@s100", consultas.produtos.Descricao(d.CodMercadoria)),
                    quantidade = picture::format("@n-18`3", d.Quantidade.value()),
                    base = picture::format("@n-18`2", d.BaseCalculo.value())](BandPainter& b) {
                pdv::Bordas(b, Mm(4));
                const report::Font f = Times(10);
                b.text(Caixa(2, 0, 16, 4), data, f);
                b.text(Caixa(18, 0, 13, 4), codigo, f);
                b.text(Caixa(32, 0, 40, 4), nome, f);
                b.text(Caixa(74, 0, 20, 4), mercadoria, f);
                b.text(Caixa(95, 0, 40, 4), descricao, f);
                b.text(Caixa(118, 0, 40, 4), quantidade, f, Align::Right);
                b.text(Caixa(160, 0, 27, 4), base, f, Align::Right);
            }};
}

const pdv::Modelo kDiario = {
    "RelPDVDiario", "LancamentosDiarios.zip", dictionary::MovMaqRegistradora, "MovMaqRegistradora",
    dictionary::keys::MMR_KEY_CODIGO, 13, 20, 33, 3,
    [](data::FileManager& t) { return t.rec<dictionary::MovMaqRegistradoraRec>().DataEmissao.value(); },
    Cabecalho, Detalhe};

}  // namespace

report::Document DocumentoPDVDiario(const shell::EmpresaPeriodo& periodo) {
    return pdv::RelatorioTabela(kDiario, periodo).Documento();
}

void RelPDVDiario(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo) {
    pdv::RelatorioTabela(kDiario, periodo).Executa(ctx);
}

}  // namespace vorel::listings

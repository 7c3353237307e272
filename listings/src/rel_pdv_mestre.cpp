// Report "RelPDVMestre" ("Relatório dos Lançamentos Mestres"): the working month's master records of
// `LancICMSEletronico` in key order (date, machine, closing), one two-line band each, the machine's
// name and coupon kind from `ICMSEletronica`, the working company (`Empresa`) in the header. A4
// portrait; e-mailed as "LancamentosMestres.zip".
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
    p.text(Caixa(54, 1.5, 130, 7), W("Relatório dos Lançamentos Mestres"), Times(18));
    estilo::LinhaEmpresa(p, 8, {2, 18, 89, 100}, empresa);
    for (double y : {1.0, 13.0, 21.0}) p.line(0, Mm(y), Mm(pdv::kLargura), Mm(y));
    const report::Font f = Times(10, true);
    p.text(Caixa(2, 13.3, 18, 4), "Data", f);
    p.text(Caixa(22, 13.3, 66, 4), W("Código e Nome da Máq. Registradora"), f);
    p.text(Caixa(90, 13.3, 33, 4), "Tipo do Cupom", f);
    p.text(Caixa(125, 13.3, 30, 4), "Fechamento", f);
    p.text(Caixa(157, 13.3, 30, 4), W("Contador Redução"), f);
    p.text(Caixa(22, 17, 40, 4), "Cupom Inicial", f);
    p.text(Caixa(64, 17, 25, 4), "Cupom Final", f);
    p.text(Caixa(90, 17, 33, 4), "GT Inicial", f);
    p.text(Caixa(125, 17, 30, 4), "GT Final", f);
}

report::Band Detalhe(data::FileManager& tabela, pdv::Consultas& consultas) {
    const auto& l = tabela.rec<dictionary::LancICMSEletronicoRec>();
    const pdv::Maquinas::Maquina m = consultas.maquinas.Le(l.Codigo);
    return {Mm(6), [data = pdv::Data(l.DataEmissao.value()), codigo = picture::format("@n-4", l.Codigo),
                    nome = picture::format("@s30", m.nome), cupom = picture::format("@s2", m.cupom),
                    fechamento = picture::format("@n3", l.Fechamento), reducao = picture::format("@n-14", l.ContReducao),
                    inicial = picture::format("@n-14", l.InicialCupom), final = picture::format("@n-14", l.FinalCupom),
                    gtInicio = picture::format("@n-22`2", l.GTInicio.value()),
                    gtFinal = picture::format("@n-22`2", l.GTFinal.value())](BandPainter& b) {
                pdv::Bordas(b, Mm(6));
                const report::Font f = Times(10);
                b.text(Caixa(2, 0, 18, 3), data, f);
                b.text(Caixa(22, 0, 12, 3), codigo, f, Align::Right);
                b.text(Caixa(35, 0, 47, 3), nome, f);
                b.text(Caixa(90, 0, 10, 3), cupom, f, Align::Right);
                b.text(Caixa(125, 0, 10, 3), fechamento, f);
                b.text(Caixa(160, 0, 27, 3), reducao, f, Align::Right);
                b.text(Caixa(18, 3, 26, 3), inicial, f, Align::Right);
                b.text(Caixa(58, 3, 26, 3), final, f, Align::Right);
                b.text(Caixa(80, 3, 28, 3), gtInicio, f, Align::Right);
                b.text(Caixa(110, 3, 28, 3), gtFinal, f, Align::Right);
            }};
}

const pdv::Modelo kMestre = {
    "RelPDVMestre", "LancamentosMestres.zip", dictionary::LancICMSEletronico, "LancICMSEletronico",
    dictionary::keys::LAN_KEY_CODIGO, 13, 22, 35, 4,
    [](data::FileManager& t) { return t.rec<dictionary::LancICMSEletronicoRec>().DataEmissao.value(); },
    Cabecalho, Detalhe};

}  // namespace

report::Document DocumentoPDVMestre(const shell::EmpresaPeriodo& periodo) {
    return pdv::RelatorioTabela(kMestre, periodo).Documento();
}

void RelPDVMestre(ui::ProcContext& ctx, const shell::EmpresaPeriodo& periodo) {
    pdv::RelatorioTabela(kMestre, periodo).Executa(ctx);
}

}  // namespace vorel::listings

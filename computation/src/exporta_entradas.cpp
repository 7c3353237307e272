// ExportaEntradas: a period's entry items with the month's closing lines as a `;` file
// (exporta_entradas.h).
#include "vorel/computation/exporta_entradas.h"

#include <optional>

#include "vorel/computation/resumo_final.h"
#include "vorel/core/picture.h"
#include "vorel/core/text.h"
#include "vorel/data/file_manager.h"
#include "vorel/dictionary/key_names.h"
#include "vorel/dictionary/own_tables.h"
#include "vorel/fiscal/colunas_csv.h"
#include "vorel/shell/exportacao_inteira.h"
#include "vorel/shell/other_year.h"

namespace vorel::computation {

namespace {

namespace keys = dictionary::keys;
namespace colunas_csv = fiscal::colunas_csv;
using colunas_csv::Numero;
using colunas_csv::Simples;
using dictionary::EntradaVorelRec;

std::string Linha(const EntradaVorelRec& e) {
    return colunas_csv::Cnpj(e.Cnpj.value()) + ";" + picture::format("@d06b", e.DataEmissao) + ";" +
           colunas_csv::Texto(e.Serie.value(), 2) + ";" + std::to_string(e.Numero) + ";" + std::to_string(e.CFO) + ";" +
           std::to_string(e.Complemento) + ";" + std::to_string(e.CFOComplementar) + ";0;0;" +
           Numero("@n-15`3", e.Quantidade.value(), "Quantidade") + ";" + Numero("@n-15`2", e.BaseICMS.value(), "Base ICMS") +
           ";" + Numero("@n-15`2", e.ValorICMS.value(), "Valor ICMS") + ";" + Simples(e.CodMercadoria.value()) + ";" +
           Simples(e.Aliquota.value()) + ";" + colunas_csv::Texto(e.Estado.value(), 2) + ";" +
           Numero("@n-15`2", e.BaseAntReducao.value(), "Base Anterior a Base de Reducao") + ";" +
           Numero("@n-18`2", e.BaseICMSPropria.value(), "B. Op. Propria");
}

// The month's confrontation base for entries of other hypotheses: the first rate's, from a final
// summary by rate built on a file of this export; none when the month has no balance row.
struct BaseDemaisHipoteses {
    std::optional<Decimal> valor;
    std::string erro;
};
BaseDemaisHipoteses LeBaseDemaisHipoteses(const shell::EmpresaPeriodo& periodo) {
    data::FileManager resumo(dictionary::ResumoFinal());
    if (std::string e = AbreResumoFinal(resumo); !e.empty()) return {std::nullopt, e};
    ApagaResumoFinal apaga(resumo);
    if (std::string e = MontaResumoFinal(periodo, {}, resumo); !e.empty()) return {std::nullopt, e};
    resumo.clear_record();
    if (!resumo.set(keys::RFC_KEY_NUMERO).ok()) return {std::nullopt, "Lendo o resumo final"};
    if (!resumo.next().ok()) return {};
    return {resumo.rec<dictionary::ResumoFinalRec>().RETCONDEMHIP.value(), {}};
}

report::Outcome Grava(shell::ExportacaoInteira& arquivo, const shell::EmpresaPeriodo& periodo, const OpcoesEntradas& o,
                      const ProgressoEntradas& progresso) {
    shell::AbertaNoAno entradas(dictionary::EntradaVorel(), periodo);
    if (!entradas.aberta.ok()) return report::Outcome::failure("Não foi possível abrir as entradas do ano (EntradaVorel).");
    const BaseDemaisHipoteses demais = LeBaseDemaisHipoteses(periodo);
    if (!demais.erro.empty()) return report::Outcome::failure("Resumo final: " + demais.erro);
    if (report::Outcome r = arquivo.Abre(); !r.ok()) return r;
    if (report::Outcome r = arquivo.LinhaInteira(
            "Cnpj;Data Emissao;Serie;Numero;CFO;Complemento;CFO Complementar;Unitario;Quantidade;Quantidade;Base ICMS;"
            "Valor ICMS;Cod Mercadoria;Aliquota;Estado;Base Anterior a Base de Reducao;B. Op. Propria");
        !r.ok())
        return r;
    const bool porEstado = o.cfo > 0 && o.filtraEstado && FiltraEstadoDoCfo(o.cfo);
    const long long total = entradas.f.records();
    auto& e = entradas.f.rec<EntradaVorelRec>();
    entradas.f.clear_record();
    e.DataEmissao = o.inicio;
    if (!entradas.f.set_at(entradas.f.key_number(keys::ENT_KEY_DATANUMSERIECFOPROD), 1).ok())
        return report::Outcome::failure("Não foi possível ler as entradas (EntradaVorel).");
    Decimal quantidade, base, propria;
    long long lidos = 0;
    while (entradas.f.next().ok() && e.DataEmissao <= o.fim) {
        if (progresso && !progresso(++lidos, total)) return report::Outcome::failure("Exportação interrompida.");
        if (o.cfo > 0 && e.CFO != o.cfo) continue;
        if (porEstado && text::clip(e.Estado.value()) != text::clip(o.estado)) continue;
        if (report::Outcome r = arquivo.LinhaInteira(Linha(e)); !r.ok()) return r;
        quantidade = quantidade + e.Quantidade.value();
        base = base + e.BaseICMS.value();
        propria = propria + e.BaseICMSPropria.value();
    }
    const Decimal retConDemHip = demais.valor.value_or(Decimal(0));
    const Decimal diferenca = demais.valor ? propria - retConDemHip : Decimal(0);
    const std::string fecho[] = {
        std::string(9, ';') + Numero("@n-15`3", quantidade, "Quantidade") + ";" + Numero("@n-15`2", base, "Base ICMS") +
            std::string(6, ';') + Numero("@n-18`2", propria, "B. Op. Propria"),
        std::string(12, ';') + "B. Calc. Entradas Demais Hipoteses" + std::string(4, ';') +
            Numero("@n-15`2", retConDemHip, "B. Calc. Entradas Demais Hipoteses"),
        std::string(13, ';') + "Diferenca Aliquota 6%" + std::string(3, ';') +
            Numero("@n-15`2", diferenca, "Diferenca Aliquota 6%"),
    };
    for (const std::string& l : fecho)
        if (report::Outcome r = arquivo.LinhaInteira(l); !r.ok()) return r;
    return arquivo.Conclui();
}

}  // namespace

bool FiltraEstadoDoCfo(int cfo) { return cfo >= 2000 && cfo <= 2999; }

report::Outcome ExportaEntradas(const shell::EmpresaPeriodo& periodo, const OpcoesEntradas& opcoes,
                                const ProgressoEntradas& progresso) {
    shell::ExportacaoInteira arquivo(opcoes.caminho);
    try {
        return Grava(arquivo, periodo, opcoes, progresso);  // a failure leaves the old file, and no other
    } catch (const colunas_csv::NaoCabe& e) {
        return report::Outcome::failure(e.what());
    }
}

}  // namespace vorel::computation

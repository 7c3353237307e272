// The admission test and the employee categories of the responsible-person register.
#include "vorel/registers/responsible_persons.h"

#include "vorel/core/date.h"
#include "vorel/dictionary/payroll_tables.h"

namespace vorel::registers {

bool AdmitidoAposPeriodo(const dictionary::FuncionariosRec& rec, const shell::EmpresaPeriodo& periodo) {
    if (rec.ADMISSAO <= 0) return false;
    const date::Ymd d = date::split(rec.ADMISSAO);
    const int ano = periodo.ano, mes = periodo.mes;
    return d.year > ano || (d.year == ano && d.month > mes);
}

const std::vector<CategoriaFuncionario>& CategoriasFuncionario() {
    static const std::vector<CategoriaFuncionario> list = {
        {0, "Não gera FGTS"},
        {1, "Empregado"},
        {2, "Trabalhador avulso"},
        {3, "Trabalhador não vinculado ao RGPS, mas com direito ao FGTS"},
        {4, "Empregado sob contrato de trabalho por prazo determinado (Lei nº 9.601/98)"},
        {5, "Contribuinte Individual - Diretor não empregado com FGTS (Lei nº 8.036/90, art. 16)"},
        {6, "Empregado Doméstico"},
        {7, "Menor Aprendiz (Lei nº 10.097/2000)"},
        {11, "Contribuinte Individual - Diretor não empregado e demais empresários sem FGTS;"},
        {12, "Agente público"},
        {13, "Contribuinte Individual - Trabalhador autônomo ou a este equiparado, inclusive o operador de máquina com contribuição sobre remuneração"},
        {14, "Contribuinte Individual - Trabalhador autônomo ou a este equiparado, inclusive o operador de máquina com contribuição sobre salário-base"},
        {15, "Contribuinte Individual - Transportador autônomo com contribuição sobre remuneração"},
        {16, "Contribuinte Individual - Transportador autônomo com contribuição sobre salário-base"},
        {17, "Contribuinte Individual - Cooperado que presta serviços a empresas contratantes de Cooperativa de Trabalho"},
    };
    return list;
}

const CategoriaFuncionario* CategoriaPorCodigo(int codigo) {
    for (const CategoriaFuncionario& c : CategoriasFuncionario())
        if (c.codigo == codigo) return &c;
    return nullptr;
}

}  // namespace vorel::registers

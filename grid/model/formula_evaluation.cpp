#include <algorithm>

#include "grid/model/grid_model.h"
#include "grid/model/number_text.h"

namespace veltrano::grid {
namespace {

double apply(FormulaOperator op, double first, double second, bool& known) {
    known = true;
    switch (op) {
        case FormulaOperator::Add: return first + second;
        case FormulaOperator::Subtract: return first - second;
        case FormulaOperator::Multiply: return first * second;
        case FormulaOperator::Divide: return second == 0.0 ? 0.0 : first / second;
    }
    known = false;
    return 0.0;
}

// Precise enough that the target's own decimals decide the rounding.
constexpr std::int32_t kUnformattedPrecision = 15;

}  // namespace

void GridModel::evaluateFormulas(std::int32_t row, std::int32_t changedColumn) {
    if (formulaRules_.empty()) {
        return;
    }
    std::vector<std::int32_t> chain{changedColumn};
    std::int32_t budget = kMaxFormulaEvaluations;
    evaluateFormulasFrom(row, changedColumn, chain, budget);
}

// A rule whose target is already being computed further up the chain is
// skipped: a circular rule list would otherwise recurse without end.
void GridModel::evaluateFormulasFrom(std::int32_t row, std::int32_t column, std::vector<std::int32_t>& chain,
                                     std::int32_t& budget) {
    if (isFixedRow(row) || !isValid(row, column)) {
        return;
    }
    for (std::size_t index = 0; index < formulaRules_.size(); ++index) {
        const FormulaRule rule = formulaRules_[index];
        if (rule.firstSource != column && rule.secondSource != column) {
            continue;
        }
        if (!isNumericColumn(rule.target)) {
            return;
        }
        if (!isValid(row, rule.target) || std::find(chain.begin(), chain.end(), rule.target) != chain.end()) {
            continue;
        }
        if (--budget < 0) {
            return;
        }
        const Cell* first = cell(row, rule.firstSource);
        const Cell* second = cell(row, rule.secondSource);
        const std::string firstText = first ? first->text : std::string();
        const std::string secondText = second ? second->text : std::string();
        std::string result;
        if (!firstText.empty() || !secondText.empty()) {
            bool known = false;
            const double value = apply(rule.op, leadingNumber(firstText), leadingNumber(secondText), known);
            if (!known) {
                continue;
            }
            const std::int32_t places = decimals(rule.target);
            result = formatsDecimals(places) ? formatFixed(value, places) : formatGeneral(value, kUnformattedPrecision);
        }
        setText(row, rule.target, result, false);
        chain.push_back(rule.target);
        evaluateFormulasFrom(row, rule.target, chain, budget);
        chain.pop_back();
    }
}

}  // namespace veltrano::grid

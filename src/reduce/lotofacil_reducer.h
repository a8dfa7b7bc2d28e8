#pragma once

#include "reduce/limit_fields.h"

#include <QObject>
#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
struct ReducerRoles;

// The "Redutor Lotofácil" tab: position limits, the row, column and sum lists and the run
// that cuts the closing down to the tickets that every switched-on filter accepts.
class LotofacilReducer : public QObject
{
    Q_OBJECT
public:
    explicit LotofacilReducer(const ReducerRoles& roles);
    ~LotofacilReducer() override;

    QListWidget *ListBox1, *ListBox2, *ListBox3; // rows, columns, sums
    QLabel *LabelCoberturaTotal1, *LabelCoberturaTotal2, *LabelCoberturaTotal3;
    QCheckBox *CheckBox7, *CheckBox8, *CheckBox9, *CheckBox13; // casas, linha, coluna, soma
    QPushButton* Button17; // "Executar Redução"
    LimitFields& limits() { return *limits_; }

    void calculaCasasLF();
    void Edit14Exit(QLineEdit* sender);
    // Fills the three lists with their tables (start-up).
    void fillPatternLists();
    void ListBox1Exit();
    void ListBox2Exit();
    void ListBox3Exit();
    void Button17Click();

    const std::vector<int>& selectedRows() const { return selectedRows_; }
    const std::vector<int>& selectedColumns() const { return selectedColumns_; }
    const std::vector<int>& selectedSums() const { return selectedSums_; }

private:
    void capture(QListWidget* list, QLabel* total, std::vector<int>& into);

    const ReducerRoles& roles_;
    std::unique_ptr<LimitFields> limits_;
    std::vector<int> selectedRows_, selectedColumns_, selectedSums_;
};

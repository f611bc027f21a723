// The tree contract on the Qt tree, in an application without a screen.
#include <QApplication>
#include <QTreeWidget>

#include "linux/settings/qt_tree_control.h"
#include "tests/contract/tree_contract.h"

namespace tockbell {
namespace {

// A tree widget of its own, shown as the Table page shows it.
class OwnedQtTree : public QtTreeControl {
public:
    OwnedQtTree() : QtTreeControl(*new QTreeWidget), widget_(&Widget()) { widget_->show(); }

private:
    std::unique_ptr<QTreeWidget> widget_;
};

INSTANTIATE_TEST_SUITE_P(Qt, TreeContract,
                         testing::Values(TreeImplementation{"qt", [] { return std::make_unique<OwnedQtTree>(); }}),
                         [](const auto& test) { return test.param.name; });

}  // namespace
}  // namespace tockbell

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

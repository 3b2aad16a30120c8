#include "mainwindow/views/NavigationTree.h"

#include "filters/SavedFilters.h"
#include "filters/SearchFilterKind.h"
#include "mainwindow/views/MainImages.h"
#include "model/Customers.h"

#include <QHeaderView>
#include <QKeyEvent>

NavigationTree::NavigationTree(QWidget *parent) : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("tvwTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    // Long names scroll sideways instead of being cut short.
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    setIconSize(QSize(16, 16));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QTreeWidget::itemClicked, this,
            [this](QTreeWidgetItem *item, int) { emit nodeClicked(keyOf(item)); });
}

QString NavigationTree::keyOf(const QTreeWidgetItem *item)
{
    return item ? item->data(0, KeyRole).toString() : QString();
}

bool NavigationTree::isListedFilterName(const QString &name)
{
    return !searchfilter::isReservedName(name);
}

QTreeWidgetItem *NavigationTree::addNode(QTreeWidgetItem *parent, const QString &key, const QString &text,
                                         int normal, int selected)
{
    auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, text);
    item->setData(0, KeyRole, key);
    QIcon icon;
    for (const QSize &size : {QSize(16, 16), QSize(32, 32)}) {
        icon.addPixmap(MainImages::listImage(normal).pixmap(size), QIcon::Normal);
        icon.addPixmap(MainImages::listImage(selected).pixmap(size), QIcon::Selected);
    }
    item->setIcon(0, icon);
    return item;
}

QTreeWidgetItem *NavigationTree::findKey(const QString &key) const
{
    for (QTreeWidgetItemIterator it(const_cast<NavigationTree *>(this)); *it; ++it)
        if (keyOf(*it) == key)
            return *it;
    return nullptr;
}

void NavigationTree::BuildTree()
{
    clear();
    struct Register {
        const char *prefix;
        const char16_t *text;
        SearchFilterKind kind;
    };
    const Register registers[] = {
        {"de", u"伝票", SearchFilterKind::Denpyo},
        {"cu", u"顧客", SearchFilterKind::Customer},
        {"sh", u"商品", SearchFilterKind::Shohin},
    };
    for (const Register &r : registers) {
        const QString prefix = QString::fromLatin1(r.prefix);
        QTreeWidgetItem *root = addNode(nullptr, prefix, QString::fromUtf16(r.text), 2, 1);
        addNode(root, prefix + QStringLiteral("検索フィルター"), QStringLiteral("検索フィルター"), 17, 32);
        addNode(root, prefix + QStringLiteral("全件"), QStringLiteral("全件"), 2, 1);
        for (const QString &name : searchfilter::savedNames(r.kind))
            if (isListedFilterName(name))
                addNode(root, prefix + name, name, 2, 1);
    }

    QTreeWidgetItem *ts = addNode(nullptr, QStringLiteral("ts"), QStringLiteral("月締め請求"), 2, 1);
    Customers customers;
    customers.Load(QStringLiteral("月締め請求 = TRUE"), QStringLiteral("顧客ID"));
    for (qint32 i = 1; i <= customers.Count(); ++i) {
        const CustomerDisplay &row = customers.Item(i);
        const QString text = row.CustomerID() + QLatin1Char('/') + row.NameKnj();
        addNode(ts, QStringLiteral("ts") + text, text, 2, 1);
    }

    QTreeWidgetItem *sy = addNode(nullptr, QStringLiteral("sy"), QStringLiteral("印刷フォーム"), 2, 1);
    for (const QString &kind : {QStringLiteral("伝票印刷フォーム"), QStringLiteral("伝票リスト印刷フォーム"),
                                QStringLiteral("月締め請求書印刷フォーム"), QStringLiteral("顧客印刷フォーム"),
                                QStringLiteral("顧客リスト印刷フォーム"), QStringLiteral("商品印刷フォーム"),
                                QStringLiteral("商品リスト印刷フォーム")})
        addNode(sy, QStringLiteral("sy") + kind, kind, 2, 1);
}

void NavigationTree::keyPressEvent(QKeyEvent *event)
{
    // A node reached with the keys is chosen as a clicked one is; Enter has
    // nothing left to do.
    const QTreeWidgetItem *before = currentItem();
    if (event->key() == Qt::Key_Escape) {
        // Esc climbs the tree as Left does: collapse, then go to the parent.
        QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
        QTreeWidget::keyPressEvent(&left);
    } else if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        return;
    } else {
        QTreeWidget::keyPressEvent(event);
    }
    if (currentItem() && currentItem() != before)
        emit nodeClicked(keyOf(currentItem()));
}

void NavigationTree::keyboardSearch(const QString &search)
{
    Q_UNUSED(search); // the window discards typed characters
}

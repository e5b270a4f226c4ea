#include <QtTest>
class tst_softwarelauncher : public QObject { Q_OBJECT };
QTEST_MAIN(tst_softwarelauncher)
#include "tst_softwarelauncher.moc"

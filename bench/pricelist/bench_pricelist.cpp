// bench_pricelist: the price list read at the 4 MB a file may hold.
//   4 MB of distinct rows (about 140,000): goal under 1 s (the duplicate check was quadratic: 40,000 rows took 12 s)
//   4 MB of rows that cannot be read (2 million): goal under 1 s, 21 problems
//   4 MB of one row repeated (duplicates): goal under 1 s
// Each figure is the median of five runs.
#include "pricelist.h"

#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <cstdio>
#include <vector>

using namespace deckmodel;

namespace {

qsizetype FourMB = 4 * 1024 * 1024; // a smaller size as the first argument, in KB, to see the growth

QByteArray filled(const std::function<QByteArray(int)> &row)
{
    QByteArray bytes = "item,size,length ft,unit,price\n";
    for (int i = 0;; ++i) {
        const QByteArray next = row(i);
        if (bytes.size() + next.size() > FourMB)
            return bytes;
        bytes += next;
    }
}

void measure(const char *what, const QByteArray &bytes)
{
    std::vector<double> ms;
    size_t problems = 0;
    int priced = 0;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        const PriceList list = PriceList::parse(bytes, QStringLiteral("prices.csv"));
        ms.push_back(double(timer.nsecsElapsed()) / 1e6);
        problems = list.problems().size();
        priced = list.priced();
    }
    std::sort(ms.begin(), ms.end());
    std::printf("%-40s %8.1f ms  (%lld bytes, %d priced, %zu problems)\n", what, ms[2], qlonglong(bytes.size()), priced,
                problems);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc > 1)
        FourMB = QByteArray(argv[1]).toLongLong() * 1024;
    measure("4 MB of distinct rows", filled([](int i) { return "Joists,2x6," + QByteArray::number(i) + ",piece,13.48\n"; }));
    measure("4 MB of rows that cannot be read", filled([](int) { return QByteArray("x\n"); }));
    measure("4 MB of one row repeated", filled([](int) { return QByteArray("Joists,2x6,16,piece,13.48\n"); }));
    return 0;
}

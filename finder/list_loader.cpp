#include "finder/list_loader.h"

#include <QPromise>
#include <QtConcurrent/QtConcurrentRun>

#include <utility>

namespace kindrell::finder {
namespace {

void Load(QPromise<LoadedList>& promise, const QString& path) {
    LoadedList loaded{
        path, namelist::ReadNameFile(path, [&promise] { return promise.isCanceled(); }), {}, 0};
    QStringList& names = loaded.read.contents.names;
    loaded.names = names.size();
    if (loaded.read.problem == namelist::NameFileProblem::None && !names.isEmpty() &&
        !promise.isCanceled()) {
        loaded.list = namelist::NameList::FromNames(names);
        names.clear();
    }
    promise.addResult(std::move(loaded));
}

} // namespace

ListLoader::ListLoader(std::function<void(LoadedList)> arrived, QObject* parent)
    : QObject(parent), arrived_(std::move(arrived)) {
    connect(&watcher_, &QFutureWatcher<LoadedList>::finished, this, [this] {
        QFuture<LoadedList> future = watcher_.future();
        if (path_.isEmpty() || future.isCanceled() || future.resultCount() == 0) {
            return;
        }
        path_.clear();
        arrived_(future.takeResult());
    });
}

void ListLoader::load(const QString& path) {
    stop();
    path_ = path;
    watcher_.setFuture(QtConcurrent::run(Load, path));
}

void ListLoader::discard(namelist::NameList list) {
    if (!list.empty()) {
        // The future is not kept: nothing waits for the list to go.
        [[maybe_unused]] const QFuture<void> gone =
            QtConcurrent::run([gone = std::move(list)] { Q_UNUSED(gone) });
    }
}

void ListLoader::stop() {
    // Not waited for: the read ends on its own, and the thread pool waits
    // for it when the program ends.
    watcher_.future().cancel();
    path_.clear();
}

} // namespace kindrell::finder

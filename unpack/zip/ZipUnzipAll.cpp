// The whole archive at once: folders in order, then the files on worker threads. Writing a file costs
// far more in system calls (create, write, close) than inflating it, and those calls run side by side.
#include "unpack/zip/ZipReader.h"
#include "unpack/zip/ZipReaderState.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace zip {
namespace {

struct Job {
    int index = 0;
    ZipItem item{};
    Entry entry;
};

// The lowest failing index seen so far, as the sequential run would have met it first.
class FailureRecord {
public:
    FailureRecord(int index, ZRESULT result, bool atGetItem) : m_limit(index), m_result(result), m_bAtGet(atGetItem) {}

    void Add(int index, ZRESULT result, uint32_t systemError)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (index >= m_limit.load())
            return;
        m_limit = index;
        m_result = result;
        m_bAtGet = false;
        m_nSystemError = systemError;
    }
    // No entry at or above this index is started any more.
    int Limit() const { return m_limit.load(); }
    ZRESULT Result() const { return m_result; }
    ZipUnzipAllFailure Failure() const { return {m_limit.load(), m_bAtGet, m_nSystemError}; }

private:
    std::mutex m_mutex;
    std::atomic<int> m_limit;
    ZRESULT m_result;
    bool m_bAtGet;
    DWORD m_nSystemError = 0;
};

void Extract(const ZipReaderState& state, const Job& job, std::span<uint8_t> buffer, FailureRecord& failures)
{
    ZRESULT result = ZR_OK;
    uint32_t systemError = 0;
    try {
        ExtractRequest request = MakeRequest(state, job.entry, job.item, job.item.name, buffer);
        request.systemError = &systemError;
        result = ToResult(ExtractEntry(request, *state.output));
    } catch (const std::bad_alloc&) {
        result = ZR_WRITEERR;
    }
    // An empty file reads as "no data": its file exists, and that is all an empty entry needs.
    if (result == ZR_INFLATE && job.item.uncompressedSize == 0)
        result = ZR_OK;
    if (result != ZR_OK)
        failures.Add(job.index, result, systemError);
}

class FileQueue {
public:
    explicit FileQueue(std::vector<const Job*> files) : m_files(std::move(files)) {}

    // The next entry to write, or nullptr when none is left below the failure limit.
    const Job* Next(const FailureRecord& failures)
    {
        for (;;) {
            const size_t k = m_next.fetch_add(1);
            if (k >= m_files.size())
                return nullptr;
            if (m_files[k]->index < failures.Limit())
                return m_files[k];
        }
    }
    size_t Size() const { return m_files.size(); }

private:
    std::vector<const Job*> m_files;
    std::atomic<size_t> m_next{0};
};

void WriteFiles(const ZipReaderState& state, FileQueue& queue, size_t bufferSize, FailureRecord& failures)
{
    std::vector<uint8_t> buffer;
    try {
        buffer.resize(bufferSize);
    } catch (const std::bad_alloc&) {
        if (const Job* job = queue.Next(failures))
            failures.Add(job->index, ZR_WRITEERR, 0);
        return;
    }
    while (const Job* job = queue.Next(failures))
        Extract(state, *job, buffer, failures);
}

}  // namespace
}  // namespace zip

unsigned ZipDefaultWorkers()
{
    const unsigned processors = std::thread::hardware_concurrency();
    return std::clamp(processors, 1u, 4u);
}

ZRESULT ZipUnzipAll(HZIP hz, unsigned nWorkers, ZipUnzipAllFailure* failure, const std::function<void()>& whileWaiting)
{
    using namespace zip;
    if (const ZRESULT check = CheckHandle(hz); check != ZR_OK)
        return check;
    const ZipReaderState& state = *hz->reader;
    const int count = static_cast<int>(state.directory.entryCount);
    std::vector<Job> jobs;
    std::unique_ptr<FailureRecord> failures;
    try {
        // Every record first: the sequential run reads each before it unzips it, so a record that cannot
        // be read ends the run there, after the entries in front of it.
        jobs.reserve(static_cast<size_t>(count));
        int limit = count;
        ZRESULT limitResult = ZR_OK;
        for (int i = 0; i < count; ++i) {
            Job job;
            job.index = i;
            if (const ZRESULT result = LoadEntry(state, i, job.item, job.entry); result != ZR_OK) {
                limit = i;
                limitResult = result;
                break;
            }
            jobs.push_back(std::move(job));
        }
        failures = std::make_unique<FailureRecord>(limit, limitResult, limit < count);

        // Folders in order: each file's folder then exists, whichever thread writes it.
        std::vector<const Job*> files;
        uint64_t largest = 0;
        for (const Job& job : jobs) {
            if (job.entry.attr & kAttrDirectory) {
                if (job.index >= failures->Limit())
                    break;
                Extract(state, job, {}, *failures);
            } else {
                files.push_back(&job);
                largest = std::max<uint64_t>(largest, job.entry.central.uncompressedSize);
            }
        }
        // Largest first: the long entries start at once and the small ones fill the gaps at the end.
        std::stable_sort(files.begin(), files.end(), [](const Job* a, const Job* b) {
            return a->entry.central.uncompressedSize > b->entry.central.uncompressedSize;
        });
        FileQueue queue(std::move(files));
        const size_t bufferSize = UnzipBufferSize(largest);
        const unsigned workers = static_cast<unsigned>(std::min<size_t>(std::max(nWorkers, 1u), queue.Size()));

        std::mutex mutex;
        std::condition_variable finished;
        unsigned running = 0;
        std::vector<std::thread> threads;
        threads.reserve(workers);
        for (unsigned w = 0; w < workers; ++w) {
            {
                std::lock_guard<std::mutex> lock(mutex);
                ++running;
            }
            try {
                threads.emplace_back([&] {
                    WriteFiles(state, queue, bufferSize, *failures);
                    std::lock_guard<std::mutex> lock(mutex);
                    --running;
                    finished.notify_all();
                });
            } catch (const std::system_error&) {
                std::lock_guard<std::mutex> lock(mutex);
                --running;
                break;  // the threads that did start, or the calling thread below, do the work
            }
        }
        if (threads.empty()) {
            WriteFiles(state, queue, bufferSize, *failures);
        } else {
            std::unique_lock<std::mutex> lock(mutex);
            while (running > 0) {
                finished.wait_for(lock, std::chrono::milliseconds(30));
                if (running > 0 && whileWaiting) {
                    lock.unlock();
                    whileWaiting();
                    lock.lock();
                }
            }
        }
        for (std::thread& thread : threads)
            thread.join();
    } catch (const std::bad_alloc&) {
        if (!failures)
            return ZR_READERR;
        failures->Add(0, ZR_WRITEERR, 0);
    }
    if (failures->Limit() >= count)
        return ZR_OK;
    if (failure)
        *failure = failures->Failure();
    return failures->Result();
}

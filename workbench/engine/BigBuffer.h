#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>

namespace wb::engine {

/// An uninitialised array of trivially copyable elements. Large arrays are mapped on 2 MB boundaries and asked
/// for transparent huge pages: the first write to fresh 4 KB pages is several times slower than a sort pass.
template <typename T> class BigBuffer {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    BigBuffer() = default;
    explicit BigBuffer(std::size_t size)
        : m_size(size)
    {
        m_data = static_cast<T*>(allocateBytes(size * sizeof(T), m_mapping, m_mappingBytes));
    }
    BigBuffer(const BigBuffer&) = delete;
    BigBuffer& operator=(const BigBuffer&) = delete;
    BigBuffer(BigBuffer&& other) noexcept { swap(other); }
    BigBuffer& operator=(BigBuffer&& other) noexcept
    {
        BigBuffer(std::move(other)).swap(*this);
        return *this;
    }
    ~BigBuffer() { releaseBytes(m_data, m_mapping, m_mappingBytes); }

    T* data() { return m_data; }
    const T* data() const { return m_data; }
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    T& operator[](std::size_t i) { return m_data[i]; }
    const T& operator[](std::size_t i) const { return m_data[i]; }

    void swap(BigBuffer& other) noexcept
    {
        std::swap(m_data, other.m_data);
        std::swap(m_size, other.m_size);
        std::swap(m_mapping, other.m_mapping);
        std::swap(m_mappingBytes, other.m_mappingBytes);
    }

private:
    // mapping is null when the bytes came from the ordinary heap.
    static void* allocateBytes(std::size_t bytes, void*& mapping, std::size_t& mappingBytes);
    static void releaseBytes(void* data, void* mapping, std::size_t mappingBytes) noexcept;

    T* m_data = nullptr;
    std::size_t m_size = 0;
    void* m_mapping = nullptr;
    std::size_t m_mappingBytes = 0;
};

/// Asks for transparent huge pages on the whole 2 MB pages inside [data, data + bytes), e.g. the reserved
/// storage of a big std::vector before it is first written.
void adviseHugePages(void* data, std::size_t bytes) noexcept;

/// The untyped allocation behind BigBuffer.
void* allocateBigBytes(std::size_t bytes, void*& mapping, std::size_t& mappingBytes);
void releaseBigBytes(void* data, void* mapping, std::size_t mappingBytes) noexcept;

template <typename T> void* BigBuffer<T>::allocateBytes(std::size_t bytes, void*& mapping, std::size_t& mappingBytes)
{
    return allocateBigBytes(bytes, mapping, mappingBytes);
}

template <typename T> void BigBuffer<T>::releaseBytes(void* data, void* mapping, std::size_t mappingBytes) noexcept
{
    releaseBigBytes(data, mapping, mappingBytes);
}

} // namespace wb::engine

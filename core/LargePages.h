#pragma once
// The heap of a transformation. Building a big tree costs more in page
// faults, one per small page first touched, than in anything else; once a
// document has grown big, every step the heap grows by is marked for large
// pages: one fault per large page. Runs on small documents are never marked
// and keep their small footprint.
namespace Core {

// How the heap grows and gives memory back, for the whole of every run:
// applied once, when a run starts.
void UseHeapPolicy();

// Called as a document store grows; cheap when the heap has not grown since.
void UseLargePagesForHeap();

} // namespace Core

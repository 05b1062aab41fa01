#pragma once
// Large pages for a process that builds a big tree. Building a big tree costs
// more in page faults, one per small page first touched, than in anything
// else; once a document has grown big, the heap is set to grow in large
// steps and every step is marked for large pages: one fault per large page.
// Runs on small documents never get here and keep their small footprint.
namespace Core {

// Called as a document store grows; cheap when the heap has not grown since.
void UseLargePagesForHeap();

} // namespace Core

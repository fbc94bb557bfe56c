// The object the precompiled header is made with; it holds nothing itself.

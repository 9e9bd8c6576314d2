// Tests of the decoders on hand-made bit streams.

# The cleanup helper of the same build rides inside Setup as its resource SWEEPER.
embed_sweeper(Setup)

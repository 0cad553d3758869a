# The cleanup helper of the same build rides inside both Setup programs as its resource SWEEPER.
embed_sweeper(setup_objects)
